// Small levels for whole games played headless, written with the level library: a floor along
// row 13, the figure standing on it at x = 20, the board number drawn at (400, 100), and the
// given tokens.
#pragma once

#include "lessons/level_binary.h"
#include "support/temp_dir.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

inline lvl::Level floorLevel(std::int32_t target, std::vector<lvl::Token> tokens) {
    lvl::Level level;
    level.background = "tlo.bmp";
    level.target = target;
    level.targetX = 400;
    level.targetY = 100;
    level.playerX = 20;
    level.playerY = 384;  // top of the cell the feet stand in
    for (auto& row : level.cells)
        for (std::int32_t& cell : row) cell = -1;
    for (int column = 0; column < lvl::kColumns; ++column) level.cells[13][column] = column % 4;
    level.tokens = std::move(tokens);
    return level;
}

// Tokens a, op, b and "=" in a row to the right of the figure, the first a few steps away:
// holding Right takes them in this order and evaluates a op b, which wins when it equals
// `target`.
inline lvl::Level sumLevel(std::int32_t a, std::int32_t op, std::int32_t b, std::int32_t target) {
    return floorLevel(target, {{60, 370, a}, {120, 370, op}, {180, 370, b}, {240, 370, kTokenEquals}});
}

inline std::string levelBytes(const lvl::Level& level) {
    const std::vector<std::uint8_t> bytes = lvl::encodeLevel(level);
    return {bytes.begin(), bytes.end()};
}

inline void writeLevel(const TempDir& dir, int number, const lvl::Level& level) {
    std::filesystem::create_directories(dir.path() / "level");
    dir.write("level/level" + std::to_string(number) + ".lvl", levelBytes(level));
}

// 3 + 4 on every level: `target` 7 wins, anything else loses with result 7.
inline void writeLevels(const TempDir& dir, std::int32_t target, int count = 7) {
    for (int n = 1; n <= count; ++n) writeLevel(dir, n, sumLevel(3, kTokenPlus, 4, target));
}

}  // namespace testing_support
