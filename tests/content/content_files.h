// Where the generated game folder is, and the level files read from it with the level
// library's reader.
#pragma once

#include "lessons/level_binary.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace content_test {

inline std::filesystem::path gameDir() { return KALKULON_GAME_DIR; }

inline std::string levelPath(int n) { return (gameDir() / "level" / ("level" + std::to_string(n) + ".lvl")).string(); }

inline lvl::Level readLevel(int n) {
    lvl::Level level;
    std::string error;
    EXPECT_TRUE(lvl::readLevelFile(levelPath(n), level, error)) << "level " << n << ": " << error;
    return level;
}

}  // namespace content_test
