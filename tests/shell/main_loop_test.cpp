// Start-up, the main loop and the ways the program ends, run headless.
#include "platform/cp1250.h"
#include "platform/headless.h"
#include "screens/frame_rate.h"
#include "shell/host.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

using testing_support::TestGame;
namespace hl = plat::headless;

TEST(MainLoop, EndsWithTheCodeOfTheQuitMessageTakingOneMessagePerPass) {
    TestGame game;
    std::vector<std::size_t> pendingSeen;
    const int code = game.run([&](Game&, long poll) {
        if (poll == 10) {
            for (int i = 0; i < 3; ++i) hl::postMessage({0x0200, 0, 0});  // mouse moves: ignored
            hl::postMessage({plat::kMsgQuit, 7, 0});
        }
        if (poll > 10) pendingSeen.push_back(hl::pendingMessages());
    });
    EXPECT_EQ(code, 7);
    // Poll 10 took the first of four; each later pass takes exactly one more.
    EXPECT_EQ(pendingSeen, (std::vector<std::size_t>{3, 2, 1}));
    EXPECT_FALSE(game.timedOut);
}

TEST(MainLoop, ClosingTheWindowEndsTheRunWithCodeZeroAfterReleasingTheKeyboard) {
    // The keyboard is acquired at start-up, before the window's activation is taken.
    TestGame game;
    bool keyboardDuringRun = false;
    const int code = game.run([&](Game&, long poll) {
        if (poll == 1) {
            keyboardDuringRun = hl::keyboardExists() && hl::keyboardAcquired() && hl::pendingMessages() == 1;
            hl::postSystemClose();
        }
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(keyboardDuringRun);
    EXPECT_FALSE(hl::keyboardExists());
    EXPECT_FALSE(hl::inputExists());
    EXPECT_TRUE(hl::messageBoxes().empty());
}

TEST(MainLoop, ADestroyedWindowIsDeactivatedFirstAndTakesNoMoreMessages) {
    // The close and a click on NOWA GRA arrive together: the window goes with the close; the
    // click comes after it and starts nothing, and no frame is drawn once the window is gone.
    TestGame game;
    std::size_t flipsAtClose = 0;
    const int code = game.run([&](Game& app, long poll) {
        if (poll == 1) hl::setMouse(328, 168);
        if (poll > 1 && flipsAtClose == 0 && app.hoverButton == kHoverNewGame) {
            flipsAtClose = hl::flipCount();
            hl::postSystemClose();
            hl::postClick(328, 168);
        }
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(game.app->window.active, 0);
    EXPECT_EQ(hl::flipCount(), flipsAtClose);
    EXPECT_TRUE(game.app->onTitle);
    EXPECT_EQ(game.app->levelNumber, 0);
    EXPECT_FALSE(game.timedOut);
}

TEST(MainLoop, AWindowThatCannotBeCreatedEndsWithCodeOneAndNothingElse) {
    TestGame game;
    hl::setFail(hl::Fail::CreateWindow, true);
    EXPECT_EQ(game.run(nullptr), 1);
    EXPECT_TRUE(hl::messageBoxes().empty());
    EXPECT_EQ(hl::presentCount(), 0u);
    const std::string trace = game.dir.read("debug.txt");
    EXPECT_EQ(trace.rfind("konstruktor...ok.\n", 0), 0u);
    EXPECT_EQ(trace.find("okno"), std::string::npos);
    EXPECT_FALSE(game.dir.exists("hiscore.tbl"));  // the main loop never ran
}

TEST(MainLoop, ADisplayThatCannotStartShowsItsDialogAndEndsWithCodeZero) {
    for (auto [fail, code] : {std::pair{hl::Fail::VideoDevice, 3}, std::pair{hl::Fail::VideoCooperativeLevel, 4},
                              std::pair{hl::Fail::VideoDisplayMode, 5}, std::pair{hl::Fail::VideoPixelFormat, 11}}) {
        TestGame game;
        hl::setFail(fail, true);
        EXPECT_EQ(game.run(nullptr), 0) << code;
        ASSERT_EQ(hl::messageBoxes().size(), 1u) << code;
        EXPECT_EQ(hl::messageBoxes()[0].text, std::string(errorText(code)));
        EXPECT_EQ(hl::messageBoxes()[0].caption, std::string(plat::cp1250("Błąd!")));
        EXPECT_FALSE(game.timedOut);
    }
    // Another language's window has its translation, in UTF-8.
    TestGame game("uk");
    hl::setFail(hl::Fail::VideoDisplayMode, true);
    EXPECT_EQ(game.run(nullptr), 0);
    ASSERT_EQ(hl::messageBoxes().size(), 1u);
    EXPECT_EQ(hl::messageBoxes()[0].text, "Категорія: VIDEO:\nНе вдається змінити роздільну здатність екрана.\n");
    EXPECT_EQ(hl::messageBoxes()[0].caption, "Помилка!");
}

TEST(MainLoop, AFailedInputSetUpIsReportedTwiceAndClosesTheGame) {
    for (auto fail : {hl::Fail::InputCreate, hl::Fail::KeyboardCreate}) {
        TestGame game;
        hl::setFail(fail, true);
        EXPECT_EQ(game.run(nullptr), 0);
        const std::string trace = game.dir.read("debug.txt");
        const std::string line = plat::cp1250("błąd \n").c_str();
        const auto first = trace.find(line);
        ASSERT_NE(first, std::string::npos);
        EXPECT_EQ(trace.find(line, first + line.size()), first + line.size());  // twice, one after the other
        EXPECT_FALSE(hl::keyboardExists());
        EXPECT_FALSE(game.timedOut);
    }
}

TEST(MainLoop, InactivePassesDrawNothingCountNothingButStillTakeMessages) {
    TestGame game;
    std::size_t flipsWhenLeft = 0;
    std::size_t flipsWhileAway = 0;
    int volumeWhenLeft = 0;
    int volumeWhileAway = 0;
    std::size_t pendingAway = 0;
    const int code = game.run([&](Game& app, long poll) {
        if (poll == 20) hl::setForeground(false);
        if (poll == 22) {
            flipsWhenLeft = hl::flipCount();
            volumeWhenLeft = app.musicVolume;
            hl::postMessage({0x0200, 0, 0});
            hl::postMessage({0x0200, 0, 0});
        }
        if (poll == 23) pendingAway = hl::pendingMessages();
        if (poll == 200) {
            flipsWhileAway = hl::flipCount();
            volumeWhileAway = app.musicVolume;
            hl::setForeground(true);
        }
        if (poll == 210) hl::postSystemClose();
    });
    EXPECT_EQ(code, 0);
    EXPECT_GT(flipsWhenLeft, 10u);
    EXPECT_EQ(flipsWhileAway, flipsWhenLeft);
    EXPECT_EQ(volumeWhileAway, volumeWhenLeft);
    EXPECT_EQ(pendingAway, 1u);
    EXPECT_GT(hl::flipCount(), flipsWhileAway);  // frames run again once active
}

TEST(MainLoop, TheHostNapsWhileTheWindowIsAwayAndWakesOncePerCurtainCell) {
    TestGame game;
    testing_support::linkGameData(game.dir);
    Game& g = *game.app;
    ASSERT_TRUE(startUp(g));
    hl::setTimeStep(0);                           // the clock moves only by the host's sleeps
    EXPECT_EQ(g.step().kind, Next::Kind::Frame);  // the activation taken, the title drawn
    hl::setForeground(false);
    EXPECT_EQ(g.step().kind, Next::Kind::Step);  // the deactivation taken
    const Next nap = g.step();
    EXPECT_EQ(nap.kind, Next::Kind::Nap);
    EXPECT_EQ(nap.ms, 10u);
    hl::setForeground(true);
    hl::setMouse(328, 168);
    EXPECT_EQ(g.step().kind, Next::Kind::Frame);
    hl::postClick(328, 168);  // NOWA GRA: two curtains, then the story
    EXPECT_EQ(g.step().kind, Next::Kind::Step);
    int sleeps = 0;
    for (Next next = g.step(); next.kind != Next::Kind::Frame; next = g.step()) {
        ASSERT_NE(next.kind, Next::Kind::End);
        if (next.kind != Next::Kind::Sleep) continue;
        ++sleeps;
        hl::advance(next.ms);
    }
    EXPECT_EQ(g.screenShown(), Screen::Story);
    EXPECT_EQ(sleeps, 2 * 160);  // each curtain: its first look at the start, then one per cell
}

TEST(MainLoop, CreatesTheHighScoreFileFromTheClearedTableWhenItIsMissing) {
    TestGame game;
    game.run([](Game&, long poll) {
        if (poll == 3) hl::postSystemClose();
    });
    EXPECT_EQ(game.dir.read("hiscore.tbl"), std::string(120, '\0'));
}

TEST(MainLoop, AGameMadeWithoutATraceLeavesNoneWhereItRuns) {
    testing_support::TempDir dir;
    {
        replay::HeadlessGame game;  // as the tools make it
        game.run([](Game&, long poll) {
            if (poll == 3) hl::postSystemClose();
        });
    }
    EXPECT_TRUE(dir.exists("hiscore.tbl"));  // it ran here
    EXPECT_FALSE(dir.exists("debug.txt"));
}

TEST(MainLoop, TheTraceStartsWithTheConstructorAndTheDisplayStart) {
    TestGame game;
    game.run([](Game&, long poll) {
        if (poll == 3) hl::postSystemClose();
    });
    const std::string trace = game.dir.read("debug.txt");
    EXPECT_EQ(trace.rfind("konstruktor...ok.\n\ninicjowanie klatek...\n nastepna", 0), 0u);
    EXPECT_NE(trace.find("okno...ok.\nobiekt dd...tworzenie obiektu dd...ok...\nok.\n"), std::string::npos);
    EXPECT_NE(trace.find(plat::cp1250("ustawienie poziomu współpracy...ok...\nustawienie rozdziałki...ok...\n")),
              std::string::npos);
    EXPECT_NE(trace.find("pixel info...ok...\n"), std::string::npos);
}

TEST(FrameRate, ShowsOneForTheFirstSecondThenTheCountOfTheLastWholeWindow) {
    FrameRate rate;
    // The clock counts from the machine's start, so the first frame closes the window that
    // started at 0.
    EXPECT_EQ(rate.frame(100000), 1u);
    for (std::uint32_t t = 100020; t < 101000; t += 20) EXPECT_EQ(rate.frame(t), 1u);
    EXPECT_EQ(rate.frame(101000), 50u);  // 49 frames after the first, plus this one
    EXPECT_EQ(rate.frame(101500), 50u);
    // The clock wrapping inside a window still closes it after 1000 ms.
    FrameRate wrap;
    wrap.frame(0xFFFFFF00u);
    EXPECT_EQ(wrap.frame(0xFFFFFFF0u), 1u);
    EXPECT_EQ(wrap.frame(0x000002F0u), 2u);
}
