// Moving between the title, the high-score screen and a game with clicks and Escape.
#include "support/test_game.h"
#include "support/test_levels.h"

#include <gtest/gtest.h>

using namespace replay;
using namespace testing_support;
using testing_support::TestGame;

namespace {

// Presents that were not flips: the curtain steps and the level captions.
std::size_t presentsWithoutFlip() { return hl::presentCount() - hl::flipCount(); }

}  // namespace

TEST(ScreenFlow, TitleAndHighScoreScreenWithClicksAndEscape) {
    TestGame game;
    std::size_t drawsBefore = 0;
    std::size_t flipsBefore = 0;
    Script script;
    script.then(
        "title running", [](Game& a) { return a.screenShown() == Screen::Title && hl::flipCount() > 5; },
        [&](Game&) {
            drawsBefore = presentsWithoutFlip();
            hl::postEscape();
        });
    script.then("Escape on the title", [&](Game& a) {
        EXPECT_EQ(a.screenShown(), Screen::Title);
        EXPECT_FALSE(a.onNameEntry);
        EXPECT_EQ(presentsWithoutFlip(), drawsBefore);  // no curtain
        EXPECT_EQ(lastBackground(game.dir), "title");
    });
    script.click("high scores", kHighScoreButton, kHoverHighScores, showing(Screen::Title));
    script.then("high-score screen", showing(Screen::HighScores), [&](Game& a) {
        EXPECT_EQ(a.world->entryRow, -1);               // only shown
        EXPECT_GT(presentsWithoutFlip(), drawsBefore);  // through the curtains
        EXPECT_EQ(lastBackground(game.dir), "hiscore");
        flipsBefore = hl::flipCount();
        // A click here does nothing, wherever it is.
        hl::postClick(kNewGameButton.x, kNewGameButton.y);
    });
    script.then("click ignored", [&](Game& a) {
        EXPECT_TRUE(a.screenShown() == Screen::HighScores);
        EXPECT_TRUE(hl::windowCreated() && plat::windowExists());
        EXPECT_GT(hl::flipCount(), flipsBefore);
        std::filesystem::remove(game.dir.path() / "hiscore.tbl");
        drawsBefore = presentsWithoutFlip();
        hl::postEscape();
    });
    script.then("back on the title", [&](Game& a) {
        EXPECT_EQ(a.screenShown(), Screen::Title);
        EXPECT_FALSE(a.onNameEntry);
        EXPECT_GT(presentsWithoutFlip(), drawsBefore);
        EXPECT_EQ(lastBackground(game.dir), "title");
        EXPECT_FALSE(game.dir.exists("hiscore.tbl"));  // no name was entered: nothing saved
    });
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
}

TEST(ScreenFlow, EscapeDuringTheNameEntrySavesItAndLeavesTheHighScoreScreenForGood) {
    TestGame game;
    writeLevels(game.dir, 8);
    Script script;
    script.loseGame();
    script.keys("A", {scanOf('A')}).keys("B", {scanOf('B')});
    script.then("Escape", [](Game&) { hl::postEscape(); });
    script.then("title", [&](Game& a) {
        EXPECT_EQ(a.screenShown(), Screen::Title);
        EXPECT_FALSE(a.onNameEntry);
        EXPECT_EQ(a.world->entryRow, -1);
        EXPECT_EQ(a.world->lives, 0);
        EXPECT_EQ(lastBackground(game.dir), "title");
        std::string saved = game.dir.read("hiscore.tbl");
        ASSERT_EQ(saved.size(), 120u);
        EXPECT_EQ(saved.substr(0, 4), std::string("\x19\0\0\0", 4));
        EXPECT_EQ(saved.substr(40, 8), std::string("AB\0\0\0\0\0\0", 8));
    });
    // The second title button now only shows the table: letters type nothing.
    script.click("high scores", kHighScoreButton, kHoverHighScores, showing(Screen::Title));
    script.then("high scores shown", showing(Screen::HighScores), [](Game& a) { EXPECT_EQ(a.world->entryRow, -1); });
    int frames = 0;
    script.then("press C", [](Game&) { hl::setKey(scanOf('C'), true); });
    script.then(
        "still AB", [&](Game&) { return ++frames == 300; },
        [](Game& a) {
            EXPECT_EQ(std::string(a.world->hiNames[0], 8), std::string("AB\0\0\0\0\0\0", 8));
            hl::setKey(scanOf('C'), false);
        });
    script.then("Escape", [](Game&) { hl::postEscape(); });
    // A game left through the pause menu comes back to the title picture.
    script.startGame();
    script.then("Escape in the game", showing(Screen::Play), [](Game&) { hl::postEscape(); });
    script.click("Wyjście", kQuitEntry, kHoverQuit, showing(Screen::Pause));
    script.then("title again", showing(Screen::Title), [&](Game& a) {
        EXPECT_FALSE(a.onNameEntry);
        EXPECT_EQ(lastBackground(game.dir), "title");
    });
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
}

TEST(ScreenFlow, TheClickThatBringsTheWindowBackActsOnlyOnAButtonUnderIt) {
    // Switched away with the mouse on NOWA GRA; one click brings the window back. The system
    // may report the click before or after the activation.
    for (const Spot spot : {kNewGameButton, kRestingMouse}) {
        for (const bool clickFirst : {false, true}) {
            TestGame game;
            writeLevels(game.dir, 7);
            int waited = 0;
            Script script;
            script.then("point", [](Game&) { hl::setMouse(kNewGameButton.x, kNewGameButton.y); });
            script.then(
                "switch away", [](Game& a) { return a.hoverButton == kHoverNewGame; }, [](Game&) { hl::setForeground(false); });
            script.then(
                "click", [](Game& a) { return a.window.active == 0; },
                [=](Game&) {
                    if (!clickFirst) hl::setForeground(true);
                    hl::postClick(spot.x, spot.y);
                    if (clickFirst) hl::setForeground(true);
                });
            script.then(
                "a while later", [&](Game&) { return ++waited == 50; },
                [=](Game& a) {
                    EXPECT_EQ(a.screenShown() == Screen::Story, spot.y == kNewGameButton.y) << spot.y << clickFirst;
                    EXPECT_EQ(a.window.active, 1);
                });
            script.closeWindow();
            EXPECT_EQ(play(game, script), 0);
        }
    }
}

TEST(ScreenFlow, BoxButtonsAndPauseEntriesAnswerStrictlyInsideWhereTheyAnswerNotWhereTheyAreDrawn) {
    const Game game;
    struct Probe {
        std::int32_t code;
        plat::Point at;
        bool answers;
    };
    const Probe probes[] = {
        // START, DALEJ and KONIEC: drawn over 285..354 x 263..292, answering inside 285..355 x 260..290.
        {kHoverStart, {286, 261}, true},
        {kHoverStart, {286, 260}, false},
        {kHoverNextWon, {285, 275}, false},
        {kHoverNextWon, {354, 289}, true},
        {kHoverNextLost, {320, 290}, false},  // drawn there
        {kHoverGameOver, {355, 275}, false},
        // The pause entries: drawn over 238..402, answering inside 250..400, 30 high, 40 apart.
        {kHoverResume, {245, 210}, false},  // drawn there
        {kHoverResume, {251, 196}, true},
        {kHoverRestart, {399, 264}, true},
        {kHoverRestart, {399, 265}, false},
        {kHoverQuit, {320, 275}, false},
        {kHoverQuit, {320, 276}, true},
        {kHoverQuit, {400, 290}, false},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(game.buttonUnder(p.code, p.at), p.answers) << p.code << " at " << p.at.x << ", " << p.at.y;
}
