// Whole games played over level files cut short or lying about their counts, cells and names:
// the game behaves as its failure handling says and runs to its normal end.

#include "hardening/damaged_folder.h"

#include <gtest/gtest.h>

using namespace damaged;

// Each generated level, put in place of level 1, cut at the start of every checked field
// (the seven header numbers and each token record), inside a field, and inside the grid,
// which is read unchecked: the game shows "Błąd!", traces one "błąd" line for every checked
// item the file lacks, closes its window and ends normally; the table is untouched.
TEST(DamagedData, LevelFilesCutAtEveryCheckedFieldEndTheGameCleanly) {
    for (int n = 1; n <= 7; ++n) {
        const lvl::Level level = GameFolder::level(n);
        const std::vector<std::uint8_t> whole = lvl::encodeLevel(level);
        const std::int32_t names = level.nameCount;
        const auto tokens = static_cast<std::int32_t>(level.tokens.size());
        ASSERT_GT(tokens, 0) << "level " << n;
        ASSERT_EQ(whole.size(), lvl::tokenAt(names, level.tokens.size()));

        // At the start of each header number and inside the last, inside the grid, at the start
        // of each token record and one byte short of the end.
        std::vector<std::size_t> cuts = {2, lvl::headerAt(lvl::kPlayerY) + 2, lvl::cellAt(names, 7, 10), whole.size() - 1};
        for (std::size_t field = lvl::kNameCount; field <= lvl::kPlayerY; ++field)
            cuts.push_back(lvl::headerAt(static_cast<lvl::HeaderField>(field)));
        for (std::int32_t b = 0; b < tokens; ++b) cuts.push_back(lvl::tokenAt(names, static_cast<std::size_t>(b)));

        for (std::size_t cut : cuts) {
            SCOPED_TRACE("level " + std::to_string(n) + " cut at " + std::to_string(cut));
            // What the loader can no longer read: the header numbers from the cut on, and the
            // token records it then expects.
            std::size_t missing = 0;
            for (std::size_t field = lvl::kNameCount; field <= lvl::kPlayerY; ++field)
                missing += cut < lvl::headerAt(static_cast<lvl::HeaderField>(field)) + 4 ? 1 : 0;
            const std::int32_t namesRead = cut >= lvl::headerAt(lvl::kTokenCount) ? names : 0;
            const std::int32_t tokensRead = cut >= lvl::headerAt(lvl::kTarget) ? tokens : 0;
            for (std::int32_t b = 0; b < tokensRead; ++b)
                missing += cut < lvl::tokenAt(namesRead, static_cast<std::size_t>(b + 1)) ? 1 : 0;

            TestGame game;
            GameFolder folder(game.dir);
            folder.writeLevel(1, whole, cut);
            game.dir.write("hiscore.tbl", oldTable().bytes());
            Script script;
            script.click("new game", kNewGameButton, kHoverNewGame, showing(Screen::Title));
            playThrough(game, script);

            const std::string trace = game.dir.read("debug.txt");
            EXPECT_EQ(count(trace, kShortRead.view()), missing);
            EXPECT_FALSE(plat::windowExists());
            EXPECT_EQ(game.dir.read("hiscore.tbl"), oldTable().bytes());
        }
    }
}

// A count of 31 tokens, with 31 records in the file, loads the first 30 and the level plays;
// 30 are all loaded without a word in the trace; a count of 2^31 - 1 over the level's own
// records loads those and then lacks the rest of the 30, which is a short file: "Błąd!" and the
// end of the game.
TEST(DamagedData, TokenCountsBeyondThirtyAreCutToThirty) {
    const lvl::Level level = GameFolder::level(1);
    const auto own = static_cast<std::int32_t>(level.tokens.size());
    ASSERT_GT(own, 0);
    for (const int records : {30, 31}) {
        SCOPED_TRACE(records);
        TestGame game;
        GameFolder folder(game.dir);
        lvl::Level damaged = level;
        damaged.tokens.clear();
        for (int b = 0; b < records; ++b) damaged.tokens.push_back(level.tokens[static_cast<std::size_t>(b % own)]);
        folder.writeLevel(1, damaged);
        game.dir.write("hiscore.tbl", oldTable().bytes());
        Script script;
        visitAndLeave(script, [](Game& a) {
            EXPECT_EQ(a.world->tokenCount, kMaxTokens);
            EXPECT_EQ(a.world->tokens[kMaxTokens - 1].type, a.world->tokens[(kMaxTokens - 1) % 4].type);
        });
        playThrough(game, script);
        const std::string trace = game.dir.read("debug.txt");
        EXPECT_EQ(trace.find(plat::cp1250("za dużo bonusów").view()) != std::string::npos, records > kMaxTokens);
        EXPECT_EQ(count(trace, kShortRead.view()), 0u);
        EXPECT_EQ(game.dir.read("hiscore.tbl"), oldTable().bytes());
    }
    {
        TestGame game;
        GameFolder folder(game.dir);
        std::vector<std::uint8_t> damaged = lvl::encodeLevel(level);
        lvl::putNumberAt(damaged, lvl::headerAt(lvl::kTokenCount), INT32_MAX);
        folder.writeLevel(1, damaged);
        Script script;
        script.click("new game", kNewGameButton, kHoverNewGame, showing(Screen::Title));
        playThrough(game, script);
        EXPECT_EQ(game.app->world->tokenCount, kMaxTokens);
        for (std::int32_t b = 0; b < kMaxTokens; ++b) EXPECT_EQ(game.app->world->tokens[b].active, b < own) << b;
        EXPECT_EQ(count(game.dir.read("debug.txt"), kShortRead.view()), static_cast<std::size_t>(kMaxTokens - own));
    }
}

// Cells of 4 and of -2^31 in place of every block are empty: the level plays with nothing to
// stand on.
TEST(DamagedData, UnknownGridCellsAreEmpty) {
    for (const std::int32_t bad : {4, INT32_MIN}) {
        SCOPED_TRACE(bad);
        const lvl::Level level = GameFolder::level(1);
        std::vector<std::uint8_t> damaged = lvl::encodeLevel(level);
        int blocks = 0;
        for (int row = 0; row < lvl::kRows; ++row) {
            for (int column = 0; column < lvl::kColumns; ++column) {
                if (level.cells[row][column] < 0) continue;
                lvl::putNumberAt(damaged, lvl::cellAt(level.nameCount, row, column), bad);
                ++blocks;
            }
        }
        ASSERT_GT(blocks, 0);
        TestGame game;
        GameFolder folder(game.dir);
        folder.writeLevel(1, damaged);
        game.dir.write("hiscore.tbl", oldTable().bytes());
        Script script;
        visitAndLeave(script, [](Game& a) {
            for (const auto& row : a.world->blocks)
                for (const std::int32_t cell : row) EXPECT_EQ(cell, -1);
            EXPECT_FALSE(a.world->standsOnBlock());
        });
        playThrough(game, script);
        EXPECT_EQ(game.dir.read("hiscore.tbl"), oldTable().bytes());
    }
}

// Two block-file names and the background name, all twelve letters without a terminating zero:
// the grid and the tokens are still found behind them, the background is looked for under
// its twelve letters (and, missing, shows the checker).
TEST(DamagedData, NamesWithoutTerminatingZeroAreTwelveLettersLong) {
    lvl::Level level = GameFolder::level(1);
    level.nameCount += 2;
    std::vector<std::uint8_t> damaged = lvl::encodeLevel(level);
    const auto place = [&damaged](std::size_t offset) { return damaged.begin() + static_cast<std::ptrdiff_t>(offset); };
    std::fill(place(lvl::backgroundAt(0)), place(lvl::backgroundAt(level.nameCount)), 'K');
    const std::string twelve = "LAKALAKALAKA";
    std::copy(twelve.begin(), twelve.end(), place(lvl::backgroundAt(level.nameCount)));

    TestGame game;
    GameFolder folder(game.dir);
    folder.writeLevel(1, damaged);
    Script script;
    visitAndLeave(script, [&level](Game& a) {
        const GameWorld& w = *a.world;
        ASSERT_EQ(w.tokenCount, static_cast<std::int32_t>(level.tokens.size()));
        for (std::int32_t b = 0; b < w.tokenCount; ++b)
            EXPECT_EQ(w.tokens[b].type, level.tokens[static_cast<std::size_t>(b)].type);
        for (int c = 0; c < lvl::kColumns; ++c) EXPECT_EQ(w.blocks[13][c], level.cells[13][c]);
        const Surface& background = *a.display.backgroundSurface;
        EXPECT_EQ(background.at(0, 0), 0xF81F);
        EXPECT_EQ(background.at(8, 0), 0);
    });
    playThrough(game, script);
    const std::string trace = game.dir.read("debug.txt");
    const auto at = trace.find("gfx\\LAKALAKALAKA");
    ASSERT_NE(at, std::string::npos);
    EXPECT_NE(trace[at + 16], 'K');
    EXPECT_NE(trace[at + 16], 'L');
}
