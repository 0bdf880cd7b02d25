// A game folder for a lesson pack: level/level1.lvl .. level7.lvl compiled from the pack, gfx/
// with links to the installed pictures (each level's block picture as klockiN.bmp), and a link
// to the installed music. The lesson tool builds one where a teacher says (build --out); the
// game keeps one per pack in the player's data folder and plays it there, with the pack's table.
#pragma once

#include "lessons/pack.h"

#include <filesystem>

namespace lvl {

// Makes `folder` a game folder for the pack, or brings one up to date, and never deletes,
// replaces or writes through anything a build did not make:
// - a missing folder is built beside it (its parent must be there) and moved into place whole;
// - an existing one may hold only what a build makes and what a game played in it keeps (its
//   table, the table's lock and its trace); anything else is refused, by name, and a link is
//   refused. Its level/, gfx/ and music are built beside them and swapped in whole, and left
//   alone when they are the same already, so a game playing there never finds one missing.
// Builds of one folder wait for each other. On a failure nothing is left behind and the folder
// is as it was.
bool buildGameFolder(const Pack& pack, const Installed& installed, const std::filesystem::path& folder, Text& error);

}  // namespace lvl
