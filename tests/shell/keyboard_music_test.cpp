// The keyboard source's start-up paths and the music: silent start, fade-in over the active
// passes of the main loop, silence without a module or a sound device, and the exit button.
#include "support/test_game.h"
#include "support/test_levels.h"

#include "display/surface.h"
#include "platform/cp1250.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace replay;
using namespace testing_support;
using testing_support::TestGame;

namespace {

void writeModule(const testing_support::TempDir& dir) {
    std::filesystem::create_directories(dir.path() / "music");
    dir.write("music/3dparadise.mod", std::string(2048, '\x11'));
}

std::vector<int> volumeCalls() {
    std::vector<int> v;
    for (const auto& c : hl::musicCalls())
        if (c.what == "volume") v.push_back(c.value);
    return v;
}

// White pixels of shadowed text in the back buffer around (x, y).
int whitePixels(const Surface& s, int x, int y, int width, int height) {
    int n = 0;
    for (int yy = y; yy < y + height; ++yy)
        for (int xx = x; xx < x + width; ++xx) n += s.at(xx, yy) == 0xFFFF ? 1 : 0;
    return n;
}

}  // namespace

TEST(Music, StartsSilentAndFadesInOneStepPerActiveMainLoopPassUpTo192) {
    TestGame game;
    writeModule(game.dir);
    writeLevels(game.dir, 7);
    int awayPasses = 0;
    int volumeInGame = -1;
    int passesAt192 = 0;
    Script script;
    const auto atFifty = [](Game& a) { return a.musicVolume == 50; };
    script.then("switch away at 50", atFifty, [](Game&) { hl::setForeground(false); });
    script.then(
        "away", [&](Game&) { return ++awayPasses == 300; },
        [](Game& a) {
            EXPECT_EQ(a.musicVolume, 50);
            EXPECT_EQ(hl::musicVolume(), 50);
            hl::setForeground(true);
        });
    // A game runs its own loop: the volume holds until the main loop turns again.
    const auto atHundred = [](Game& a) { return a.musicVolume == 100; };
    script.then("at 100", atHundred, [](Game&) {});
    script.startGame();
    script.then("in the game", showing(Screen::Play), [&](Game& a) { volumeInGame = a.musicVolume; });
    script.then("Escape", [](Game&) { hl::postEscape(); });
    script.then("still the same", showing(Screen::Pause), [&](Game& a) { EXPECT_EQ(a.musicVolume, volumeInGame); });
    script.click("Wyjście", kQuitEntry, kHoverQuit, showing(Screen::Pause));
    const auto fullAWhile = [&](Game& a) { return a.musicVolume == 192 && ++passesAt192 == 100; };
    script.then("full", fullAWhile, [](Game&) {});
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);

    // In order: the library opened, the song loaded, set silent, looping and started.
    const auto& calls = hl::musicCalls();
    ASSERT_GE(calls.size(), 5u);
    EXPECT_EQ(calls[0].what, "init");
    EXPECT_EQ(calls[0].value, 44100);
    EXPECT_EQ(calls[1].what, "load");
    EXPECT_EQ(calls[1].value, 1);
    EXPECT_EQ(calls[2].what, "volume");
    EXPECT_EQ(calls[2].value, 0);
    EXPECT_EQ(calls[3].what, "loop");
    EXPECT_EQ(calls[3].value, 1);
    EXPECT_EQ(calls[4].what, "play");
    // Then one call per step 1, 2, ... 192 and none after: 192 active passes, nothing while
    // away or inside the game, nothing once full.
    std::vector<int> expected(193);
    for (int v = 0; v <= 192; ++v) expected[v] = v;
    EXPECT_EQ(volumeCalls(), expected);
    EXPECT_EQ(calls.back().what, "volume");  // a system close leaves the music playing
    EXPECT_GT(volumeInGame, 99);
    EXPECT_LT(volumeInGame, 103);
}

TEST(Music, NoModuleOrNoSoundDeviceChangesNothingButTheSilence) {
    enum class Setup { Module, NoModule, NoDevice };
    std::string traces[3];
    std::size_t flips[3] = {};
    for (Setup setup : {Setup::Module, Setup::NoModule, Setup::NoDevice}) {
        TestGame game;
        if (setup != Setup::NoModule) writeModule(game.dir);
        if (setup == Setup::NoDevice) hl::setFail(hl::Fail::MusicInit, true);
        const int code = game.run([](Game&, long poll) {
            if (poll == 400) hl::postSystemClose();
        });
        const int i = static_cast<int>(setup);
        EXPECT_EQ(code, 0);
        EXPECT_TRUE(hl::messageBoxes().empty());
        EXPECT_EQ(game.app->musicVolume, 192);  // the game's own counter runs all the same
        if (setup == Setup::NoModule) {
            EXPECT_EQ(hl::musicVolume(), -1);
            EXPECT_TRUE(volumeCalls().empty());  // nothing is asked of a song that is not there
        } else {
            EXPECT_EQ(hl::musicVolume(), 192);
        }
        traces[i] = game.dir.read("debug.txt");
        flips[i] = hl::flipCount();
    }
    EXPECT_EQ(traces[1], traces[0]);
    EXPECT_EQ(traces[2], traces[0]);
    EXPECT_EQ(flips[1], flips[0]);
    EXPECT_EQ(flips[2], flips[0]);
}

TEST(Music, TheExitButtonClosesTheMusicThenTheWindowAndTheRunEndsWithCodeZero) {
    TestGame game;
    writeModule(game.dir);
    Script script;
    script.click("exit", kExitButton, kHoverExit, showing(Screen::Title));
    EXPECT_EQ(play(game, script), 0);
    const auto& calls = hl::musicCalls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[calls.size() - 3].what, "stop");
    EXPECT_EQ(calls[calls.size() - 2].what, "free");
    EXPECT_EQ(calls[calls.size() - 1].what, "close");
    EXPECT_EQ(hl::musicCallsAtDestroy(), static_cast<int>(calls.size()));  // all before the window went
    EXPECT_EQ(hl::musicVolume(), -1);
    EXPECT_FALSE(plat::windowExists());
    EXPECT_FALSE(hl::keyboardExists());
    EXPECT_FALSE(hl::inputExists());
    EXPECT_EQ(game.app->song, 0);
}

TEST(Keyboard, AFailedSetUpShowsTheErrorTextAndAFailedAcquireIsIgnored) {
    // The input object or the keyboard source cannot be made: "Błąd!" is drawn at (320, 230)
    // into the back buffer, and the window is asked to close.
    for (auto fail : {hl::Fail::InputCreate, hl::Fail::KeyboardCreate, hl::Fail::KeyboardAcquire}) {
        TestGame game;
        hl::setFail(fail, true);
        int white = -1;
        bool windowAtStart = true;
        bool keyboardAtStart = false;
        const int code = game.run([&](Game& a, long poll) {
            if (poll != 1) return;
            white = whitePixels(*a.display.backBuffer, 318, 229, 50, 16);
            windowAtStart = plat::windowExists();
            keyboardAtStart = a.keyboard;
            if (windowAtStart) hl::postSystemClose();
        });
        EXPECT_EQ(code, 0);
        EXPECT_FALSE(game.timedOut);
        const std::string trace = game.dir.read("debug.txt");
        if (fail == hl::Fail::KeyboardAcquire) {
            // Not reported: the keyboard exists all the same.
            EXPECT_EQ(white, 0);
            EXPECT_TRUE(windowAtStart);
            EXPECT_TRUE(keyboardAtStart);
            EXPECT_EQ(trace.find(plat::cp1250("błąd")), std::string::npos);
        } else {
            EXPECT_GT(white, 10);
            EXPECT_FALSE(windowAtStart);
            EXPECT_FALSE(keyboardAtStart);
        }
    }
}
