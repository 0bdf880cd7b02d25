// Lesson packs: a folder with seven level sources (level1.txt .. level7.txt) and perhaps a
// pack.txt with the pack's title and notes for the teacher. Packs are installed in
// $XDG_DATA_HOME/kalkulon/packs/NAME and in the packs folder beside the game's data; a pack is
// played from a run folder in the player's data folder that holds its compiled levels, links to
// the game's own pictures and music, and the pack's own high-score table (lessons/game_folder.h).
#pragma once

#include "lessons/language.h"
#include "lessons/level_text.h"

#include <filesystem>
#include <string>
#include <vector>

namespace lvl {

inline constexpr int kPackLevels = kLastLevel;  // a pack replaces every level of the game

// The game's installed data: a folder with gfx/, level/ and music/, the pictures a pack may
// use, and the place of the board on each level background.
struct Installed {
    std::filesystem::path folder;  // where gfx/, level/ and music/ really are (links resolved)
    std::vector<Scenery> scenery;  // one per built-in level, in level order
};

// Reads the installed data seen from `gameFolder` (the game's own folder, or a player's folder
// whose gfx/, level/ and music/ are links to it).
bool findInstalled(const std::filesystem::path& gameFolder, Installed& installed, Text& error);

struct Pack {
    std::filesystem::path folder;
    std::string title;               // pack.txt's title, else the folder's name
    std::vector<std::string> notes;  // pack.txt's notes
    std::vector<std::string> files;  // the seven level sources, as named in messages
    std::vector<LevelSource> levels;
};

// Reads pack.txt and the seven level sources of a pack folder. Only regular files inside the
// folder are read; every mistake is appended to `problems`. True when there is none.
bool readPack(const std::filesystem::path& folder, const std::vector<Scenery>& installed, Pack& pack,
              std::vector<Problem>& problems);

// Reads a level source file (at most 64 KiB); false, with a problem, when it cannot be read.
bool readSourceFile(const std::filesystem::path& path, const std::string& shownAs, std::string& text,
                    std::vector<Problem>& problems);

// The player's data folder: $XDG_DATA_HOME/kalkulon (a relative path is ignored, as the XDG
// rules say), else ~/.local/share/kalkulon; empty when HOME is not set or no folder.
std::filesystem::path userDataFolder();
// Where installed packs live: the player's own folder first, then the one beside the data.
std::filesystem::path userPacksFolder();
std::vector<std::filesystem::path> packRoots(const Installed& installed);

struct PackEntry {
    std::string name;
    std::string title;
    std::filesystem::path folder;
};
// The packs found in `roots`; a name found twice is the first root's.
std::vector<PackEntry> listPacks(const std::vector<std::filesystem::path>& roots);

// A pack named on the command line: a folder (relative to `startFolder`), or the name of an
// installed pack.
struct PackChoice {
    std::filesystem::path folder;  // links resolved
    // Names its run folder and table: the folder's name made safe, then a 64-bit hash of its
    // whole path, so that no two pack folders share a table ("razy 3" and "razy_3" do not).
    std::string key;
    std::string formerKey;  // the name versions before gave the run folder
};
bool resolvePack(const std::string& argument, const std::filesystem::path& startFolder,
                 const std::vector<std::filesystem::path>& roots, PackChoice& choice, Text& error);

}  // namespace lvl
