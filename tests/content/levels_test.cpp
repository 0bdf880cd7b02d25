// The seven levels: within the limits of the level file, and each one won by a route that the
// route finder finds with the game's own movement and collection code, replayed step by step
// on a fresh world and then through the whole game, headless, from the title to the table.
#include "content_files.h"
#include "lessons/solver.h"

#include "platform/headless.h"
#include "screens/game.h"
#include "support/temp_dir.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using content_test::readLevel;

// The whole search, once for all the tests of this file.
const std::array<solver::Route, 8>& routes() {
    static const std::array<solver::Route, 8> all = [] {
        std::array<solver::Route, 8> r{};
        testing_support::TempDir dir;  // the world's trace lands here
        for (int n = 1; n <= 7; ++n) r[static_cast<std::size_t>(n)] = solver::solve(readLevel(n));
        return r;
    }();
    return all;
}

TEST(ContentLevels, FilesKeepToTheLimitsAndFitTheScreen) {
    for (int n = 1; n <= 7; ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        const lvl::Level level = readLevel(n);
        EXPECT_EQ(level.nameCount, 0);
        EXPECT_GE(level.tokens.size(), 3u);
        EXPECT_LE(level.tokens.size(), 30u);
        EXPECT_LE(level.background.size(), 11u);
        EXPECT_TRUE(std::filesystem::exists(content_test::gameDir() / "gfx" / level.background)) << level.background;
        // The board number is drawn with platform text, which needs its start point on screen.
        EXPECT_GE(level.targetX, 0);
        EXPECT_LE(level.targetX + 12, 640);
        EXPECT_GE(level.targetY, 0);
        EXPECT_LE(level.targetY + 12, 448);
        // Tokens lie wholly in the play area (a copy outside the frame would not be drawn), and
        // the figure starts on the screen, in empty cells, standing on a block.
        bool haveEquals = false;
        for (const lvl::Token& b : level.tokens) {
            EXPECT_GE(b.x, 0);
            EXPECT_LE(b.x + 34, 640);
            EXPECT_GE(b.y, 0);
            EXPECT_LE(b.y + 33, 448);
            haveEquals |= b.type == 14;
        }
        EXPECT_TRUE(haveEquals);
        EXPECT_GE(level.playerX, 0);
        EXPECT_LE(level.playerX + 43, 640);
        const int footRow = level.playerY / 32;
        ASSERT_EQ(level.playerY % 32, 0);
        ASSERT_LT(footRow + 1, 14);
        const int left = (level.playerX + 15) / 32, right = (level.playerX + 38) / 32;
        for (int c = left; c <= right; ++c) {
            EXPECT_EQ(level.cells[footRow][c], -1);
            EXPECT_EQ(level.cells[footRow - 1][c], -1);
        }
        bool ground = false;
        for (int c = left; c <= right; ++c) ground |= level.cells[footRow + 1][c] >= 0;
        EXPECT_TRUE(ground);
    }
}

TEST(ContentLevels, ReaderRefusesFilesBeyondTheLimits) {
    testing_support::TempDir dir;
    auto bytes = [](std::int32_t tokenCount, std::int32_t cell, bool terminated) {
        std::string out;
        auto le = [&out](std::int32_t v) {
            for (int b = 0; b < 4; ++b) out.push_back(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * b)) & 255));
        };
        for (std::int32_t v : {0, tokenCount, 7, 300, 60, 20, 384}) le(v);
        std::string name = terminated ? "laka.bmp" : "abcdefghijkl";
        name.resize(12, '\0');
        out += name;
        for (int i = 0; i < 280; ++i) le(i == 5 ? cell : -1);
        for (int i = 0; i < tokenCount; ++i) {
            le(100);
            le(370);
            le(1 + i % 14);
            out.append(180, '\0');
        }
        return out;
    };
    auto verdict = [&](const std::string& b) {
        std::ofstream("x.lvl", std::ios::binary) << b;
        lvl::Level level;
        std::string error;
        return lvl::readLevelFile("x.lvl", level, error);
    };
    EXPECT_TRUE(verdict(bytes(30, 3, true)));
    EXPECT_FALSE(verdict(bytes(31, 3, true)));
    EXPECT_FALSE(verdict(bytes(2, 4, true)));
    EXPECT_FALSE(verdict(bytes(2, -2, true)));
    EXPECT_FALSE(verdict(bytes(2, 0, false)));
    EXPECT_FALSE(verdict(bytes(2, 0, true).substr(0, 1200)));
}

TEST(ContentLevels, EveryLevelHasARouteThatReplaysOnAFreshWorld) {
    testing_support::TempDir dir;
    for (int n = 1; n <= 7; ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        const lvl::Level level = readLevel(n);
        const solver::Route& route = routes()[static_cast<std::size_t>(n)];
        ASSERT_TRUE(route.found) << "no route after " << route.states << " states";
        EXPECT_EQ(route.result, level.target);
        // The same keys, one step every 10 ms, on a world set up afresh: the same win.
        auto world = std::make_unique<GameWorld>();
        solver::loadIntoWorld(level, *world);
        std::uint32_t now = 1000;
        for (std::uint8_t keys : route.steps) {
            ASSERT_FALSE(world->levelOver);
            now += 10;
            world->updatePlayer(keys & solver::kLeft, keys & solver::kRight, keys & solver::kUp, false, now);
        }
        EXPECT_TRUE(world->levelOver);
        EXPECT_EQ(world->result, level.target);
        EXPECT_EQ(std::string(world->expressionText), route.expression);
        std::cout << "level " << n << ": " << route.expression << " = " << route.result << " in " << route.steps.size()
                  << " steps\n";
    }
}

// The proof is only worth something if the finder says no where there is no way: a sum that
// cannot make the board's number, and an "=" sealed off behind a wall under a ceiling.
TEST(ContentLevels, FinderReportsNoRouteWhereThereIsNone) {
    testing_support::TempDir dir;
    lvl::Level level;
    for (auto& row : level.cells)
        for (auto& cell : row) cell = -1;
    for (int c = 0; c < 20; ++c) {
        level.cells[0][c] = 1;
        level.cells[13][c] = 0;
    }
    for (int r = 0; r < 14; ++r) level.cells[r][0] = level.cells[r][10] = level.cells[r][19] = 1;
    level.background = "laka.bmp";
    level.playerX = 2 * 32 - 11;
    level.playerY = 12 * 32;
    level.tokens = {{4 * 32 - 1, 12 * 32 - 1, 3},
                    {6 * 32 - 1, 12 * 32 - 1, 10},
                    {8 * 32 - 1, 12 * 32 - 1, 4},
                    {15 * 32 - 1, 12 * 32 - 1, 14}};
    level.target = 7;
    EXPECT_FALSE(solver::solve(level).found) << "the = lies beyond the wall";
    level.tokens[3].x = 9 * 32 - 1;  // inside the room: now it can be won
    const solver::Route inside = solver::solve(level);
    EXPECT_TRUE(inside.found);
    EXPECT_EQ(inside.expression, "3+4");
    level.target = 8;  // 3 + 4 never makes 8
    const solver::Route wrong = solver::solve(level);
    EXPECT_FALSE(wrong.found);
    EXPECT_LE(wrong.states, 1) << "a hopeless sum is dropped before any step";
}

// The whole game, headless: new game, START, each level played with its route, DALEJ after
// each win, the ending, and the high-score table with the sum of the points.
TEST(ContentLevels, WholeGameIsWonWithTheRoutes) {
    for (int n = 1; n <= 7; ++n) ASSERT_TRUE(routes()[static_cast<std::size_t>(n)].found) << "level " << n;
    testing_support::TestGame game;
    testing_support::linkGameData(game.dir);
    const std::vector<solver::Route> all(routes().begin(), routes().end());
    std::array<std::int32_t, 8> results{};
    replay::Script script;
    testing_support::winWithRoutes(script, all, results).closeWindow();
    EXPECT_EQ(testing_support::play(game, script), 0);
    for (int n = 1; n <= 7; ++n)
        EXPECT_EQ(results[static_cast<std::size_t>(n)], readLevel(n).target) << "level " << n << " against its board";
    EXPECT_EQ(game.app->world->hiScores[0], testing_support::pointsOf(all));
}

}  // namespace
