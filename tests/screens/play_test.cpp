// Whole games played headless through the window procedure and the play routine: levels won
// and lost, lives, points, game over, the ending, the pause menu, the story, switching away
// in the middle of a level, and the quit message taken inside a game.
#include "support/test_game.h"
#include "support/test_levels.h"

#include <gtest/gtest.h>

using namespace replay;
using namespace testing_support;
using testing_support::TestGame;

namespace {

bool allTokensActive(const GameWorld& w) {
    for (int i = 0; i < w.tokenCount; ++i)
        if (!w.tokens[i].active) return false;
    return w.tokenCount > 0;
}

}  // namespace

TEST(PlayRoutine, AWonLevelAddsExactlyFiftyPointsAndTheNextLevelLoads) {
    TestGame game;
    writeLevel(game.dir, 1, sumLevel(3, kTokenPlus, 4, 7));
    writeLevel(game.dir, 2, sumLevel(5, kTokenPlus, 4, 9));
    Script script;
    script.startGame().playLevel();
    script.then("won box", showing(Screen::Result), [](Game& a) {
        EXPECT_EQ(a.world->result, 7);
        EXPECT_EQ(a.world->score, 25);  // 3, + and 4: 5 + 15 + 5
        EXPECT_EQ(a.levelNumber, 1);
        EXPECT_TRUE(a.world->tokens[3].active);  // "=" stays in the level
    });
    script.click("DALEJ", kBoxButton, kHoverNextWon, showing(Screen::Result));
    script.then("level 2", showing(Screen::Play), [](Game& a) {
        EXPECT_EQ(a.levelNumber, 2);
        EXPECT_EQ(a.world->target, 9);
        EXPECT_EQ(a.world->score, 75);
        EXPECT_EQ(a.world->levelStartScore, 75);
        EXPECT_EQ(a.world->lives, 3);
        EXPECT_EQ(a.world->collectedCount, 0);
        EXPECT_TRUE(allTokensActive(*a.world));
        EXPECT_FALSE(a.showStory);  // the story comes once a game
        EXPECT_FALSE(plat::headless::cursorVisible());
    });
    // A second click on the same spot while the next level runs finds no result box.
    script.then("second DALEJ", [](Game&) { hl::postClick(kBoxButton.x, kBoxButton.y); });
    script.then("nothing happened", [](Game& a) {
        EXPECT_EQ(a.world->score, 75);
        EXPECT_EQ(a.levelNumber, 2);
        EXPECT_TRUE(a.world->levelRunning);
    });
    script.playLevel();
    script.then("level 2 won", showing(Screen::Result), [](Game& a) {
        EXPECT_EQ(a.world->result, 9);
        EXPECT_EQ(a.world->score, 100);
    });
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
}

TEST(PlayRoutine, ALostLevelReloadsWithOneLifeLessAndTheScoreItStartedWith) {
    TestGame game;
    writeLevel(game.dir, 1, sumLevel(3, kTokenPlus, 4, 7));
    writeLevel(game.dir, 2, sumLevel(3, kTokenTimes, 4, 7));  // 3 * 4 = 12, not 7
    Script script;
    script.startGame().playLevel();
    script.click("DALEJ", kBoxButton, kHoverNextWon, showing(Screen::Result));
    script.playLevel();
    script.then("lost box", showing(Screen::Result), [](Game&) {}).nextFrame();
    script.then("lost box drawn", [](Game& a) {
        EXPECT_EQ(a.world->result, 12);
        EXPECT_EQ(a.world->score, 100);
        EXPECT_TRUE(plat::headless::cursorVisible());
    });
    script.click("DALEJ of a lost level", kBoxButton, kHoverNextLost, showing(Screen::Result));
    script.then("level 2 again", showing(Screen::Play), [](Game& a) {
        EXPECT_EQ(a.levelNumber, 2);
        EXPECT_EQ(a.world->lives, 2);
        EXPECT_EQ(a.world->score, 75);
        EXPECT_EQ(a.world->levelStartScore, 75);
        EXPECT_EQ(a.world->collectedCount, 0);
        EXPECT_TRUE(allTokensActive(*a.world));
        EXPECT_FALSE(plat::headless::cursorVisible());
    });
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
}

TEST(PlayRoutine, LosingWithTheLastLifeShowsGameOverAndKoniecOpensTheNameEntry) {
    TestGame game;
    writeLevels(game.dir, 8);  // 3 + 4 never makes 8
    Script script;
    script.startGame();
    for (int lives = 3; lives > 1; --lives) {
        script.playLevel();
        script.click("DALEJ of a lost level", kBoxButton, kHoverNextLost, showing(Screen::Result));
    }
    script.playLevel();
    script.then("game over box", showing(Screen::Result), [](Game& a) {
        EXPECT_EQ(a.world->lives, 1);
        EXPECT_EQ(a.world->score, 25);
    });
    script.click("KONIEC", kBoxButton, kHoverGameOver, showing(Screen::Result));
    script.then("name entry", showing(Screen::HighScores), [&game](Game& a) {
        EXPECT_EQ(a.world->lives, 0);
        EXPECT_EQ(a.world->entryRow, 0);  // 25 beats the empty table
        EXPECT_EQ(a.world->hiScores[0], 25);
        EXPECT_EQ(a.world->nameCursor, 0);
        EXPECT_EQ(a.levelNumber, 1);
        EXPECT_TRUE(plat::headless::cursorVisible());
        EXPECT_EQ(lastBackground(game.dir), "hiscore");
    });
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
}

TEST(PlayRoutine, AWholeGameIsWonAndTheEndingLeadsToTheNameEntry) {
    TestGame game;
    writeLevels(game.dir, 7);
    Script script;
    script.startGame();
    for (int level = 1; level <= 6; ++level) {
        script.playLevel();
        script.then("level won", showing(Screen::Result), [level](Game& a) { EXPECT_EQ(a.levelNumber, level); });
        script.click("DALEJ", kBoxButton, kHoverNextWon, showing(Screen::Result));
    }
    script.playLevel();
    script.then("ending", showing(Screen::Result), [](Game& a) {
        EXPECT_EQ(a.levelNumber, 7);
        EXPECT_EQ(a.world->score, 6 * 75 + 25);
    });
    script.click("DALEJ of the ending", kBoxButton, kHoverNextWon, showing(Screen::Result));
    script.then("completed", showing(Screen::HighScores), [&game](Game& a) {
        EXPECT_EQ(a.levelNumber, 8);
        EXPECT_EQ(a.world->score, 7 * 75);
        EXPECT_EQ(a.world->lives, 0);
        EXPECT_FALSE(a.world->levelRunning);
        EXPECT_EQ(a.world->entryRow, 0);
        EXPECT_EQ(a.world->hiScores[0], 525);
        EXPECT_TRUE(plat::headless::cursorVisible());
        EXPECT_EQ(lastBackground(game.dir), "hiscore");
    });
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
}

TEST(PlayRoutine, PauseMenuReturnsRestartsAndLeaves) {
    // Entry 1: back to the game; the cursor stays visible while play goes on.
    {
        TestGame game;
        writeLevels(game.dir, 7);
        Script script;
        script.startGame();
        script.then("Escape", showing(Screen::Play), [](Game&) { hl::postEscape(); });
        script.then("paused", showing(Screen::Pause), [](Game&) {});
        script.click("Powrót do gry", kResumeEntry, kHoverResume, showing(Screen::Pause));
        script.then("playing again", showing(Screen::Play), [](Game& a) {
            EXPECT_TRUE(plat::headless::cursorVisible());
            EXPECT_EQ(a.world->lives, 3);
            EXPECT_EQ(a.levelNumber, 1);
        });
        script.playLevel();
        script.then("won", showing(Screen::Result), [](Game& a) { EXPECT_EQ(a.world->result, 7); });
        script.closeWindow();
        EXPECT_EQ(play(game, script), 0);
    }
    // Entry 2 with lives to spare restarts the level at its start score; with the last life
    // it ends the level as lost and shows the game-over box, whatever `result` holds: on a board
    // of 0, the value of a level whose sum was never judged.
    {
        TestGame game;
        writeLevels(game.dir, 0);
        Script script;
        script.startGame();
        script.then(
            "take the 3", [](Game& a) { return a.screenShown() == Screen::Play; }, [](Game&) { hl::setKey(kScanRight, true); });
        script.then(
            "3 taken", [](Game& a) { return a.world->score == 5; },
            [](Game&) {
                hl::setKey(kScanRight, false);
                hl::postEscape();
            });
        for (int lives = 3; lives > 1; --lives) {
            script.click("Zacznij poziom od nowa", kRestartEntry, kHoverRestart, showing(Screen::Pause));
            script.then("restarted", showing(Screen::Play), [lives](Game& a) {
                EXPECT_EQ(a.world->lives, lives - 1);
                EXPECT_EQ(a.levelNumber, 1);
                EXPECT_EQ(a.world->score, 0);
                EXPECT_EQ(a.world->collectedCount, 0);
                EXPECT_TRUE(allTokensActive(*a.world));
                EXPECT_TRUE(plat::headless::cursorVisible());
            });
            if (lives == 3) script.then("Escape", showing(Screen::Play), [](Game&) { hl::postEscape(); });
        }
        script.then("Escape with the last life", showing(Screen::Play), [](Game&) { hl::postEscape(); });
        script.click("Zacznij poziom od nowa with one life", kRestartEntry, kHoverRestart, showing(Screen::Pause));
        script.then("result box", showing(Screen::Result), [](Game&) {}).nextFrame();
        script.then("game over box", [](Game& a) {
            EXPECT_EQ(a.world->result, a.world->target);
            EXPECT_EQ(a.world->lives, 0);
            EXPECT_FALSE(a.paused);
            hl::setMouse(kBoxButton.x, kBoxButton.y);
        });
        script.then("KONIEC highlighted", showing(Screen::Result), [](Game& a) { EXPECT_EQ(a.hoverButton, kHoverGameOver); });
        script.click("KONIEC", kBoxButton, kHoverGameOver, showing(Screen::Result));
        script.then("high-score screen", showing(Screen::HighScores), [](Game& a) {
            EXPECT_EQ(a.world->entryRow, -1);  // 0 points do not enter the table
            EXPECT_EQ(a.world->lives, 0);
        });
        script.closeWindow();
        EXPECT_EQ(play(game, script), 0);
    }
    // Entry 3 leaves the game for the title screen.
    {
        TestGame game;
        writeLevels(game.dir, 7);
        Script script;
        script.startGame();
        script.then("Escape", showing(Screen::Play), [](Game&) { hl::postEscape(); });
        script.click("Wyjście", kQuitEntry, kHoverQuit, showing(Screen::Pause));
        script.then("title", showing(Screen::Title), [&game](Game& a) {
            EXPECT_FALSE(a.onNameEntry);
            EXPECT_EQ(a.world->lives, 0);
            EXPECT_FALSE(a.world->levelRunning);
            EXPECT_TRUE(plat::headless::cursorVisible());
            EXPECT_EQ(lastBackground(game.dir), "title");
        });
        // The title menu works again: a second game starts at level 1 with the story.
        script.startGame();
        script.then("second game", showing(Screen::Play), [](Game& a) {
            EXPECT_EQ(a.levelNumber, 1);
            EXPECT_EQ(a.world->lives, 3);
            EXPECT_EQ(a.world->score, 0);
        });
        script.closeWindow();
        EXPECT_EQ(play(game, script), 0);
    }
}

TEST(PlayRoutine, EscapeDuringTheStoryPausesOverItAndResumingBringsTheStoryBack) {
    TestGame game;
    writeLevels(game.dir, 7);
    Script script;
    script.click("new game", kNewGameButton, kHoverNewGame, showing(Screen::Title));
    script.then("Escape over the story", showing(Screen::Story), [](Game&) { hl::postEscape(); });
    script.then("pause over the story", showing(Screen::Pause), [](Game& a) { EXPECT_TRUE(a.showStory); });
    script.click("Powrót do gry", kResumeEntry, kHoverResume, showing(Screen::Pause));
    script.click("START", kBoxButton, kHoverStart, showing(Screen::Story));
    script.then("playing", showing(Screen::Play), [](Game& a) {
        EXPECT_FALSE(plat::headless::cursorVisible());
        EXPECT_EQ(a.levelNumber, 1);
    });
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
}

TEST(PlayRoutine, SwitchingAwayFreezesTheLevelAndComingBackGoesOnWithoutSkippingIt) {
    TestGame game;
    writeLevel(game.dir, 1, floorLevel(7, {{30, 370, 3}, {250, 370, kTokenPlus}, {310, 370, 4}, {370, 370, kTokenEquals}}));
    writeLevel(game.dir, 2, sumLevel(5, kTokenPlus, 4, 9));
    std::int32_t xWhenLeft = 0;
    std::uint32_t nowWhenLeft = 0;
    std::size_t flipsWhenLeft = 0;
    std::uint8_t animWhenLeft = 0;
    int waited = 0;
    Script script;
    script.startGame();
    script.then("hold Right", showing(Screen::Play), [](Game&) { hl::setKey(kScanRight, true); });
    const auto walkedOn = [](Game& a) { return a.world->playerX >= 100; };
    script.then("switch away", walkedOn, [](Game&) { hl::setForeground(false); });
    script.then(
        "away", [](Game& a) { return a.window.active == 0; },
        [&](Game& a) {
            xWhenLeft = a.world->playerX;
            nowWhenLeft = a.now;
            flipsWhenLeft = hl::flipCount();
            animWhenLeft = static_cast<std::uint8_t>(a.world->tokens[0].animFrame);
        });
    script.then(
        "stay away", [&](Game&) { return ++waited == 200; },
        [&](Game& a) {
            EXPECT_EQ(a.world->playerX, xWhenLeft);  // Right is still held
            EXPECT_EQ(a.now, nowWhenLeft);           // no frame counted
            EXPECT_EQ(hl::flipCount(), flipsWhenLeft);
            EXPECT_EQ(a.world->tokens[0].animFrame, animWhenLeft);
            EXPECT_FALSE(hl::keyboardAcquired());
            hl::advance(500);
            hl::setForeground(true);  // taken and handled in this same poll: one frame runs
        });
    script.then("first frame back", [&](Game& a) {
        EXPECT_TRUE(hl::keyboardAcquired());
        EXPECT_EQ(a.world->playerX, xWhenLeft);  // that frame only acquired the keyboard
        EXPECT_EQ(hl::flipCount(), flipsWhenLeft + 1);
    });
    script.then("second frame back", [&](Game& a) { EXPECT_EQ(a.world->playerX, xWhenLeft + 2); });
    script.then("level 1 still runs", showing(Screen::Result), [](Game& a) {
        EXPECT_EQ(a.levelNumber, 1);
        EXPECT_EQ(a.world->result, 7);
        EXPECT_FALSE(a.showStory);
        hl::setKey(kScanRight, false);
    });
    script.click("DALEJ", kBoxButton, kHoverNextWon, showing(Screen::Result));
    script.then("level 2", showing(Screen::Play), [](Game& a) { EXPECT_EQ(a.levelNumber, 2); });
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
}

TEST(PlayRoutine, AQuitMessageTakenInsideAGameEndsTheProgramWithItsCode) {
    {
        TestGame game;
        writeLevels(game.dir, 7);
        std::size_t flipsAtQuit = 0;
        Script script;
        script.startGame();
        script.then("quit", showing(Screen::Play), [&](Game&) {
            flipsAtQuit = hl::flipCount();
            hl::postMessage({plat::kMsgQuit, 5, 0});
        });
        EXPECT_EQ(play(game, script), 5);
        EXPECT_EQ(hl::flipCount(), flipsAtQuit);  // nothing ran after it
        EXPECT_TRUE(game.app->world->levelRunning);
    }
    // The window manager's close in the middle of a level: the window goes, the keyboard is
    // released, and the quit message posted by the destruction ends the run with code 0.
    {
        TestGame game;
        writeLevels(game.dir, 7);
        Script script;
        script.startGame().then("close", showing(Screen::Play), [](Game&) { hl::postSystemClose(); });
        EXPECT_EQ(play(game, script), 0);
        EXPECT_FALSE(hl::keyboardExists());
        EXPECT_FALSE(hl::inputExists());
    }
}

TEST(PlayRoutine, TheCursorIsShownAndHiddenOnlyWhenItsStateChanges) {
    TestGame game;
    writeLevels(game.dir, 8);
    Script script;
    script.startGame();  // START hides it
    script.then("Escape", showing(Screen::Play), [](Game&) { hl::postEscape(); });
    script.click("Powrót do gry", kResumeEntry, kHoverResume, showing(Screen::Pause));  // shown, stays shown
    script.then("Escape again", showing(Screen::Play), [](Game&) { hl::postEscape(); });
    script.click("Powrót do gry", kResumeEntry, kHoverResume, showing(Screen::Pause));
    script.playLevel();                                                                          // result: already shown
    script.click("DALEJ of a lost level", kBoxButton, kHoverNextLost, showing(Screen::Result));  // hidden
    script.playLevel();                                                                          // shown
    script.then("Escape on the result", showing(Screen::Result), [](Game&) { hl::postEscape(); });
    script.click("Wyjście", kQuitEntry, kHoverQuit, showing(Screen::Pause));  // stays shown
    script.then("title", showing(Screen::Title), [](Game&) {});
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
    EXPECT_EQ(hl::cursorCalls(), (std::vector<bool>{false, true, false, true}));
    EXPECT_TRUE(hl::cursorVisible());
}

TEST(PlayRoutine, AClickInTheFrameAfterTheSumFindsNoBoxYet) {
    // Level 1 is won with DALEJ; level 2 (3 * 4, not 7) is lost. A click at the start of the
    // frame after its "=", before the result box is drawn, does nothing wherever it is.
    for (const Spot spot : {kRestingMouse, kBoxButton}) {
        TestGame game;
        writeLevel(game.dir, 1, sumLevel(3, kTokenPlus, 4, 7));
        writeLevel(game.dir, 2, sumLevel(3, kTokenTimes, 4, 7));
        Script script;
        script.startGame().playLevel().click("DALEJ", kBoxButton, kHoverNextWon, showing(Screen::Result));
        script.then("hold Right", showing(Screen::Play), [](Game&) { hl::setKey(kScanRight, true); });
        script.then("click after the sum", showing(Screen::Result), [spot](Game&) { hl::postClick(spot.x, spot.y); });
        script.then("still level 2, lost", [spot](Game& a) {
            EXPECT_TRUE(a.screenShown() == Screen::Result && a.levelNumber == 2 && a.world->lives == 3) << spot.x;
            EXPECT_EQ(a.world->score, 100);
        });
        script.closeWindow();
        EXPECT_EQ(play(game, script), 0);
    }
}

TEST(PlayRoutine, EqualsAndALaterOperatorTouchedInOneStepJudgeTheSumBeforeThem) {
    // "=" and "*" lie on one spot, "=" first in the level: 3+4 is judged, the "*" stays.
    TestGame game;
    writeLevel(
        game.dir, 1,
        floorLevel(7, {{60, 370, 3}, {120, 370, kTokenPlus}, {180, 370, 4}, {240, 370, kTokenEquals}, {240, 370, kTokenTimes}}));
    Script script;
    script.startGame().playLevel().then("won box", showing(Screen::Result), [](Game& a) {
        EXPECT_EQ(a.world->result, 7);
        EXPECT_EQ(a.world->score, 25);
        EXPECT_TRUE(a.world->tokens[4].active);
    });
    script.click("DALEJ", kBoxButton, kHoverNextWon, showing(Screen::Result)).closeWindow();
    EXPECT_EQ(play(game, script), 0);
}

TEST(PlayRoutine, RestartsOverTheGameOverBoxNeverTakeLivesBelowZero) {
    TestGame game;
    writeLevels(game.dir, 8);
    std::vector<std::uint16_t> livesAtZero;  // the HUD's lives counter showing 0
    const auto livesShown = [] {
        std::vector<std::uint16_t> hud;
        for (int y = 450; y < 480; ++y)
            hud.insert(hud.end(), &hl::lastFrame().pixels[y * 640 + 20], &hl::lastFrame().pixels[y * 640 + 60]);
        return hud;
    };
    Script script;
    script.startGame();
    for (int lives = 3; lives > 1; --lives)
        script.playLevel().click("DALEJ of a lost level", kBoxButton, kHoverNextLost, showing(Screen::Result));
    script.playLevel();
    // With one life left the restart ends the level as lost; with none it does nothing.
    for (int restart = 0; restart < 3; ++restart) {
        script.then("Escape over the game-over box", showing(Screen::Result), [](Game&) { hl::postEscape(); });
        script.click("Zacznij poziom od nowa", kRestartEntry, kHoverRestart, showing(Screen::Pause));
        if (restart > 0) script.click("Powrót do gry", kResumeEntry, kHoverResume, showing(Screen::Pause));
        script.then("game-over box", showing(Screen::Result), [](Game&) {}).nextFrame();
        script.then("lives shown", [&, restart](Game& a) {
            EXPECT_EQ(a.world->lives, 0);
            if (restart == 0) livesAtZero = livesShown();
            EXPECT_EQ(livesShown(), livesAtZero);
        });
    }
    script.click("KONIEC", kBoxButton, kHoverGameOver, showing(Screen::Result));
    script.then("name entry", showing(Screen::HighScores), [](Game& a) { EXPECT_EQ(a.world->hiScores[0], 25); });
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
}
