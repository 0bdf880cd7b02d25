// Level sources: the readable text form of a level (see tools/levels/level1.txt for the format)
// and its compilation into the binary level file the game reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gen {

inline constexpr int kRows = 14;
inline constexpr int kColumns = 20;
inline constexpr int kMaxLevelBonuses = 30;
inline constexpr int kBonusRecordSize = 192;

struct LevelBonus {
    int x = 0;
    int y = 0;
    int type = 0;  // 1..9 digits, 10 +, 11 -, 12 *, 13 /, 14 =
};

struct Level {
    std::string background;  // file name under gfx/, at most 11 characters
    int target = 0;
    int targetX = 0;
    int targetY = 0;
    int playerX = 0;
    int playerY = 0;  // top of the cell the feet stand in
    int cells[kRows][kColumns] = {};
    std::vector<LevelBonus> bonuses;
};

// Bonus type of a symbol ('1'..'9', '+', '-', '*', '/', '='), 0 for anything else.
int bonusType(char symbol);

// Reads a level source; on failure returns false and sets `error` to "line N: what".
bool parseLevel(const std::string& source, Level& level, std::string& error);

// The binary level file: header, no block-file names, background name, grid, bonus records.
std::vector<std::uint8_t> compileLevel(const Level& level);

}  // namespace gen
