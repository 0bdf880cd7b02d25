// The high-score screen after a game whose score reached the table: the name typed from the
// key presses, at most one key per 80 ms, and the table file written on Enter.
#include "support/bmp_writer.h"
#include "support/test_game.h"
#include "support/test_levels.h"

#include <gtest/gtest.h>

#include <memory>
#include <sys/resource.h>

#include <csignal>
#include <cstring>

using namespace replay;
using namespace testing_support;
using testing_support::TestGame;

namespace {

// A table of 100 ALA, 50 OLA, 10 (no name) and seven empty rows.
std::string tableBytes(const std::vector<std::pair<std::int32_t, std::string>>& rows) {
    std::string scores;
    std::string names;
    for (int i = 0; i < 10; ++i) {
        const auto& [score, name] = i < static_cast<int>(rows.size()) ? rows[i] : std::pair<std::int32_t, std::string>{0, ""};
        putLe32(scores, score);
        std::string padded = name;
        padded.resize(8, '\0');
        names += padded;
    }
    return scores + names;
}

const std::string kStartTable = tableBytes({{100, "ALA"}, {50, "OLA"}, {10, ""}});

// A game lost with 25 points, which enter the table at row 2.
void loseAGame(TestGame& game, Script& script) {
    writeLevels(game.dir, 8);
    game.dir.write("hiscore.tbl", kStartTable);
    script.loseGame().then("name entry at row 2", [](Game& a) {
        EXPECT_EQ(a.world->entryRow, 2);
        EXPECT_EQ(a.world->nameCursor, 0);
    });
}

std::string nameAt(const Game& a, int row) { return std::string(a.world->hiNames[row], 8); }

}  // namespace

TEST(NameEntry, TenLettersKeepTheFirstSevenAndTheTenthAndEnterWinsOverALetter) {
    TestGame game;
    Script script;
    loseAGame(game, script);
    for (char c = 'A'; c <= 'J'; ++c) script.keys(std::string(1, c), {scanOf(c)});
    script.then("ten letters typed", [](Game& a) {
        EXPECT_EQ(nameAt(a, 2), "ABCDEFGJ");
        EXPECT_EQ(a.world->nameCursor, 7);
        EXPECT_EQ(a.world->entryRow, 2);  // nothing saved yet
    });
    script.keys("Enter and K", {kScanEnter, scanOf('K')});
    script.then("saved", [](Game& a) {
        EXPECT_EQ(a.world->entryRow, -1);
        EXPECT_EQ(a.screenShown(), Screen::HighScores);  // the table stays on screen
        EXPECT_EQ(nameAt(a, 2), "ABCDEFGJ");
    });
    // Afterwards the screen only shows the table: no key is read.
    script.then("press L", [](Game&) { hl::setKey(scanOf('L'), true); });
    script.then(
        "wait", [](Game& a) { return a.now - a.lastTick > 300; },
        [](Game& a) {
            EXPECT_EQ(nameAt(a, 2), "ABCDEFGJ");
            hl::setKey(scanOf('L'), false);
        });
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
    EXPECT_EQ(game.dir.read("hiscore.tbl"), tableBytes({{100, "ALA"}, {50, "OLA"}, {25, "ABCDEFGJ"}, {10, ""}}));
}

TEST(NameEntry, BackspaceBlanksTwoLettersTogetherTypeInTheirOrderAndLostInputEndsOnlyAFrame) {
    TestGame game;
    Script script;
    loseAGame(game, script);
    // Switched away and back, Backspace pressed at once: the frame that acquires the keyboard
    // again draws no cursor and takes no key; the next sample takes it.
    std::uint32_t tickBack = 0;
    script.then("switch away", [](Game&) { hl::setForeground(false); });
    script.then(
        "away", [](Game& a) { return a.window.active == 0; },
        [](Game&) {
            hl::advance(500);
            hl::setForeground(true);
            hl::setKey(kScanBackspace, true);
        });
    script.then("first frame back", [&](Game& a) {
        EXPECT_TRUE(hl::keyboardAcquired());
        EXPECT_EQ(a.world->hiNames[2][0], '\0');
        tickBack = a.lastTick;
    });
    script.then(
        "Backspace at 0 taken", [](Game& a) { return a.world->hiNames[2][0] == ' '; },
        [&](Game& a) {
            EXPECT_NE(a.lastTick, tickBack);
            EXPECT_EQ(a.world->nameCursor, 0);
            hl::setKey(kScanBackspace, false);
        });
    for (char c : {'A', 'B', 'C'}) script.keys(std::string(1, c), {scanOf(c)});
    script.keys("Backspace", {kScanBackspace});
    script.then("third letter blanked", [](Game& a) {
        EXPECT_EQ(nameAt(a, 2), std::string("AB \0\0\0\0\0", 8));
        EXPECT_EQ(a.world->nameCursor, 2);
    });
    script.keys("X and D", {scanOf('X'), scanOf('D')});
    script.then(
        "both typed", [](Game& a) { return a.world->nameCursor == 4; },
        [](Game& a) { EXPECT_EQ(nameAt(a, 2), std::string("ABXD\0\0\0\0", 8)); });
    script.keys("Backspace", {kScanBackspace});
    script.keys("Enter", {kScanEnter});
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
    // The space written by Backspace stays in the saved name.
    EXPECT_EQ(game.dir.read("hiscore.tbl"), tableBytes({{100, "ALA"}, {50, "OLA"}, {25, std::string("ABX ", 4)}, {10, ""}}));
}

// A held key repeats only when the desktop says so, at most one key per 80 ms; a repeat not
// taken yet when the key is let go types nothing.
TEST(NameEntry, EveryPressTypesOnceAndAHeldKeyRepeatsOnlyAsTheDesktopRepeatsIt) {
    TestGame game;
    Script script;
    loseAGame(game, script);
    struct Tap {
        char letter;
        std::uint32_t holdMs;                // 0: down and up between two frames
        std::vector<std::uint32_t> repeats;  // when the desktop repeats it, after the press
        const char* typed;                   // the name once this key is done
    };
    const Tap taps[] = {
        {'A', 0, {}, "A"},
        {'B', 10, {}, "AB"},
        {'E', 60, {40}, "ABE"},                        // let go before its repeat was taken
        {'C', 620, {}, "ABEC"},                        // the desktop's delay is longer
        {'D', 700, {500, 530, 560, 620}, "ABECDDDD"},  // faster than the pace: 500, 580, 660
    };
    auto pressedAt = std::make_shared<std::uint32_t>(0);
    const auto after = [pressedAt](std::uint32_t ms) {
        return [pressedAt, ms](Game&) { return hl::peekTime() - *pressedAt >= ms; };
    };
    for (const Tap& tap : taps) {
        const std::uint8_t scan = scanOf(tap.letter);
        script.then("press", [pressedAt, scan, tap](Game&) {
            *pressedAt = hl::peekTime();
            hl::setKey(scan, true);
            if (tap.holdMs == 0) hl::setKey(scan, false);
        });
        for (std::uint32_t ms : tap.repeats) script.then("repeat", after(ms), [scan](Game&) { hl::repeatKey(scan); });
        script.then("release", after(tap.holdMs), [scan](Game&) { hl::setKey(scan, false); });
        script.then("typed", after(tap.holdMs + 200), [tap](Game& a) { EXPECT_STREQ(nameAt(a, 2).c_str(), tap.typed); });
    }
    script.keys("Enter", {kScanEnter}).closeWindow();
    EXPECT_EQ(play(game, script), 0);
    EXPECT_EQ(game.dir.read("hiscore.tbl"), tableBytes({{100, "ALA"}, {50, "OLA"}, {25, "ABECDDDD"}, {10, ""}}));
}

// The window closed, or the terminal or desktop session that started the game hung up.
TEST(NameEntry, ClosingTheWindowOrAHangUpDuringTheEntrySavesItAsEscapeDoes) {
    for (const bool hangUp : {false, true}) {
        for (const std::string typed : {"AB", ""}) {
            SCOPED_TRACE(hangUp ? "hang-up" : "close");
            TestGame game;
            Script script;
            loseAGame(game, script);
            for (char c : typed) script.keys(std::string(1, c), {scanOf(c)});
            if (hangUp) script.then("hang up", [](Game&) { std::raise(SIGHUP); });
            else script.closeWindow();
            EXPECT_EQ(play(game, script), 0);
            EXPECT_EQ(game.dir.read("hiscore.tbl"), tableBytes({{100, "ALA"}, {50, "OLA"}, {25, typed}, {10, ""}}));
        }
    }
}

// The disk full when Escape ends the entry: the table stays on screen with a box that says the
// score could not be saved, and the next Escape saves it and leaves.
TEST(NameEntry, AFailedSaveIsToldOnScreenAndTheNameSavedAtTheNextSave) {
    TestGame game;
    Script script;
    loseAGame(game, script);
    struct rlimit limit = {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    script.keys("O", {scanOf('O')});
    script.then("disk full, Escape", [&](Game&) {
        struct rlimit full = limit;
        full.rlim_cur = 100;
        ::setrlimit(RLIMIT_FSIZE, &full);
        testing::internal::CaptureStderr();
        hl::postEscape();
    });
    script.nextFrame().then("told", [&](Game& a) {
        ::setrlimit(RLIMIT_FSIZE, &limit);
        EXPECT_NE(testing::internal::GetCapturedStderr().find("could not be saved"), std::string::npos);
        EXPECT_EQ(a.world->unsavedCount, 1);
        EXPECT_EQ(a.screenShown(), Screen::HighScores);
        constexpr std::uint16_t kBoxBlue = 0x52EE;  // (10, 10, 110), as every box shows it
        EXPECT_EQ(hl::lastFrame().pixels[440 * 640 + 155], kBoxBlue);
        hl::postEscape();
    });
    script.then("left", showing(Screen::Title), [&](Game& a) {
        EXPECT_EQ(a.world->unsavedCount, 0);
        EXPECT_EQ(game.dir.read("hiscore.tbl"), tableBytes({{100, "ALA"}, {50, "OLA"}, {25, "O"}, {10, ""}}));
    });
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
}

// On a Ukrainian layout the letter keys and ", ] type Cyrillic: a game in another language than
// Polish keeps them as the table's one-byte letters (Windows-1251); the Polish game types the
// Latin letter of the key's place as ever (and nothing for the other two, which the script
// cannot wait for).
TEST(NameEntry, KeysOfAUkrainianLayoutTypeCyrillicOutsideThePolishGame) {
    const std::pair<const char*, const char*> cases[] = {{"pl", "RB"}, {"en", "\xCA\xC8\xC1\xAF"}, {"uk", "\xCA\xC8\xC1\xAF"}};
    for (const auto& [language, name] : cases) {
        TestGame game(language);
        Script script;
        loseAGame(game, script);
        const std::pair<std::uint8_t, char32_t> layout[] = {{scanOf('R'), U'к'}, {scanOf('B'), U'и'}, {0x33, U'б'}, {0x1B, U'ї'}};
        for (std::size_t i = 0; i < std::size(layout); ++i) {
            hl::setLayoutLetter(layout[i].first, layout[i].second);
            if (i < 2 || std::strlen(name) > 2) script.keys("a key", {layout[i].first});
        }
        script.keys("Enter", {kScanEnter});
        script.closeWindow();
        EXPECT_EQ(play(game, script), 0) << language;
        EXPECT_EQ(game.dir.read("hiscore.tbl"), tableBytes({{100, "ALA"}, {50, "OLA"}, {25, name}, {10, ""}})) << language;
    }
}
