// The teacher's preview of a pack: each level drawn by the game's own code on the headless back
// end, in a scratch game folder made for the pack, as a child sees it when the level starts in
// a new game (three lives, no points; without the frame counter), and one sheet with all seven
// under the pack's title, to print or project.
#pragma once

#include "lessons/pack.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace preview {

using Frame = std::vector<std::uint16_t>;  // 640 x 480 RGB565 pixels, row after row

// The pack's levels as the game shows them; false when the game could not show one.
bool levelFrames(const lvl::Pack& pack, const lvl::Installed& installed, std::vector<Frame>& frames, lvl::Text& error);

// The sheet (0xRRGGBB pixels): the frames two a row, each under "Poziom N" and its title.
std::vector<std::uint32_t> sheet(const lvl::Pack& pack, const std::vector<Frame>& frames, int& width, int& height);

// level1.png .. level7.png and sheet.png in `out` (made when missing); the files written, in order.
bool writePreview(const lvl::Pack& pack, const lvl::Installed& installed, const std::filesystem::path& out,
                  std::vector<std::filesystem::path>& written, lvl::Text& error);

}  // namespace preview
