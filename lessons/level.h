// A level as the game reads it: the board number and where it is written, the hero's start,
// the background picture, the block grid and the tokens. One form for the level sources, the
// binary level files, the route finder, the trap finder and the lesson tools.
#pragma once

#include "world/game_world.h"
#include "world/layout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lvl {

// The grid and the name field are the game's own; the tools only name them. What each token
// type is, and what may follow what, is the game's too (world/tokens.h).
inline constexpr int kRows = kGridRows;
inline constexpr int kColumns = kGridColumns;
inline constexpr int kCell = layout::kBlockSize;
inline constexpr int kNameField = kLevelNameBytes;         // bytes of a picture name in the file
inline constexpr int kMaxBackgroundName = kNameField - 1;  // and its terminating zero
inline constexpr int kSheets = kLastLevel;                 // block pictures gfx/klocki1.bmp .. klocki7.bmp, one a level

// The token's picture is 34 x 33 and is centred on its 32 x 32 cell.
inline constexpr int kTokenOffset = 1;
inline constexpr int kTokenWidth = layout::kTokenWidth;
inline constexpr int kTokenHeight = layout::kTokenHeight;
// The figure's picture is 43 pixels wide; its body is centred on the start cell.
inline constexpr int kStartOffset = 11;
// The play area: the grid; the bottom 32 lines of the screen belong to the head-up display.
inline constexpr int kPlayWidth = kColumns * kCell;
inline constexpr int kPlayHeight = kRows * kCell;

struct Token {
    std::int32_t x = 0;  // top-left corner of the picture on the screen
    std::int32_t y = 0;
    std::int32_t type = 0;
    friend bool operator==(const Token&, const Token&) = default;
};

struct Level {
    std::int32_t nameCount = 0;  // block-file names stored in the file; read and not used
    std::string background;      // picture under gfx/
    std::int32_t target = 0;     // the number on the board
    std::int32_t targetX = 0;    // where it is written
    std::int32_t targetY = 0;
    std::int32_t playerX = 0;                  // the figure's left edge
    std::int32_t playerY = 0;                  // top of the cell in which its feet stand
    std::int32_t cells[kRows][kColumns] = {};  // -1 empty, 0..3 a block of that picture
    std::vector<Token> tokens;
    int blockSheet = 0;  // 1..7: the block picture a pack level uses; 0: its own level's
};

// A cell position (fractions of a cell allowed) in pixels, rounded to the nearest.
std::int32_t cellToPixel(double cell);
// The shortest text of a pixel position in cells: "5", "5.5", "5.25", "5.03125".
std::string cellText(std::int32_t pixel);

}  // namespace lvl
