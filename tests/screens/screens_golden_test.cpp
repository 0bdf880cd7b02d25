// Golden pictures of the screens as a game shows them: the title with its credits and a
// hovered button, the story, the pause menu, each result box and the high-score screen with a
// name being typed. The frames are the ones the game presented, taken while scripted games
// run on pictures made here. To rewrite the references see tests/display/golden.h.
#include "display/golden.h"
#include "support/bmp_writer.h"
#include "support/test_game.h"
#include "support/test_levels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace replay;
using namespace testing_support;
using testing_support::makeBmp;
using testing_support::Rgb;
using testing_support::TestGame;

namespace {

Rgb bands(int x, int y, int hue) {
    if (x < 6 || y < 6 || x >= 634 || y >= 474) return Rgb{30, 20, 50};
    const int band = y / 48;
    return Rgb{static_cast<std::uint8_t>(30 + band * 15), static_cast<std::uint8_t>(hue),
               static_cast<std::uint8_t>(180 - band * 12)};
}

// Black (the key) around menu-button frames, token discs, the glyph row and the curtain tile.
Rgb sprites(int x, int y) {
    if (y < 181 && x < 600) {
        const int local = y < 73 ? y : y < 145 ? y - 73 : y - 145;
        const int frame = x / 100 + 6 * (local / 36);
        const int fx = x % 100;
        const int fy = local % 36;
        if (fx < 3 + frame || fx >= 97 || fy < 4 || fy >= 32) return Rgb{};
        return Rgb{static_cast<std::uint8_t>(50 + frame * 16), static_cast<std::uint8_t>(y < 73 ? 170 : 100),
                   static_cast<std::uint8_t>(y < 145 ? 50 : 210)};
    }
    if (y >= 218 && y < 456 && x < 612) {
        const int fx = x % 34 - 17;
        const int fy = (y - 218) % 34 - 16;
        if (fx * fx + fy * fy > 13 * 13) return Rgb{};
        const int row = (y - 218) / 34;
        return Rgb{static_cast<std::uint8_t>(240 - row * 20), static_cast<std::uint8_t>(100 + (x / 34) * 12),
                   static_cast<std::uint8_t>(40 + row * 25)};
    }
    if (y >= 460 && y < 474 && x < 516) {
        const int glyph = x / 12;
        const int gx = x % 12;
        const int gy = y - 460;
        const bool on = gx >= 2 && gx < 10 && gy >= 2 && gy < 12 && (gx + gy * (glyph % 3 + 1) + glyph) % 3 == 0;
        return on ? Rgb{250, 240, 120} : Rgb{};
    }
    if (y < 32 && x >= 608) return ((x / 4 + y / 4) & 1) ? Rgb{120, 40, 90} : Rgb{220, 200, 80};
    return Rgb{};
}

// White (the key) around a figure with its head to the right.
Rgb figure(int x, int y) {
    const int frame = x / 43 + 7 * (y / 66);
    const int fx = x % 43;
    const int fy = y % 66;
    if (fy >= 6 && fy < 20 && fx >= 22 && fx < 36) return Rgb{240, 180, 140};
    if (fy >= 20 && fy < 52 && fx >= 12 && fx < 32) return Rgb{static_cast<std::uint8_t>(frame * 9), 90, 190};
    if (fy >= 52 && (fx == 15 + frame % 3 || fx == 27 - frame % 3)) return Rgb{20, 20, 20};
    return Rgb{255, 255, 255};
}

Rgb blocks(int x, int y) {
    if (y % 16 == 0 || x % 32 == 0) return Rgb{60, 45, 30};
    return Rgb{static_cast<std::uint8_t>(140 + (x / 32) * 30), 100, 60};
}

void writePictures(const testing_support::TempDir& dir) {
    std::filesystem::create_directories(dir.path() / "gfx");
    dir.write("gfx/title.bmp", makeBmp(640, 480, 24, [](int x, int y) { return bands(x, y, 60); }));
    dir.write("gfx/hiscore.bmp", makeBmp(640, 480, 24, [](int x, int y) { return bands(x, y, 150); }));
    dir.write("gfx/tlo.bmp", makeBmp(640, 480, 24, [](int x, int y) { return bands(x, y, 100); }));
    dir.write("gfx/butony.bmp", makeBmp(640, 480, 24, sprites));
    dir.write("gfx/gracz1.bmp", makeBmp(344, 264, 24, figure));
    const std::string sheet = makeBmp(128, 32, 24, blocks);
    for (int n = 1; n <= 7; ++n) dir.write("gfx/klocki" + std::to_string(n) + ".bmp", sheet);
}

// The frame the game presented last.
::testing::AssertionResult shownMatches(const std::string& name) {
    Surface shown(640, 480);
    const auto& pixels = hl::lastFrame().pixels;
    if (pixels.size() != 640u * 480u) return ::testing::AssertionFailure() << "no frame presented";
    std::memcpy(shown.pixels(), pixels.data(), pixels.size() * sizeof pixels[0]);
    return display_test::matchesGolden(name, shown);
}

Script::Act capture(const std::string& name) {
    return [name](Game&) { EXPECT_TRUE(shownMatches(name)) << name; };
}

}  // namespace

TEST(ScreensGolden, TitleStoryPauseWonEndingAndHighScores) {
    TestGame game;
    writePictures(game.dir);
    writeLevels(game.dir, 7);
    Script script;
    script.then("point at the second button", [](Game&) { hl::setMouse(kHighScoreButton.x, kHighScoreButton.y); });
    script.then(
        "title with both credit lines",
        [](Game& a) { return a.screenShown() == Screen::Title && a.creditLines[1].x == 50 && a.hoverButton == kHoverHighScores; },
        capture("screen_title"));
    script.click("new game", kNewGameButton, kHoverNewGame, showing(Screen::Title));
    script.then("point at START", [](Game&) { hl::setMouse(kBoxButton.x, kBoxButton.y); });
    script.then(
        "story", [](Game& a) { return a.screenShown() == Screen::Story && a.hoverButton == kHoverStart; },
        capture("screen_story"));
    script.click("START", kBoxButton, kHoverStart, showing(Screen::Story));
    script.then("hold Right", showing(Screen::Play), [](Game&) { hl::setKey(kScanRight, true); });
    script.then(
        "Escape after the 3", [](Game& a) { return a.world->score == 5; },
        [](Game&) {
            hl::setKey(kScanRight, false);
            hl::postEscape();
            hl::setMouse(kRestartEntry.x, kRestartEntry.y);
        });
    script.then(
        "pause", [](Game& a) { return a.screenShown() == Screen::Pause && a.hoverButton == kHoverRestart; },
        capture("screen_pause"));
    script.click("Powrót do gry", kResumeEntry, kHoverResume, showing(Screen::Pause));
    script.playLevel();
    script.then("point at DALEJ", [](Game&) { hl::setMouse(kBoxButton.x, kBoxButton.y); });
    script.then(
        "won box", [](Game& a) { return a.screenShown() == Screen::Result && a.hoverButton == kHoverNextWon; },
        capture("screen_won"));
    script.click("DALEJ", kBoxButton, kHoverNextWon, showing(Screen::Result));
    for (int level = 2; level <= 6; ++level) {
        script.playLevel();
        script.click("DALEJ", kBoxButton, kHoverNextWon, showing(Screen::Result));
    }
    script.playLevel();
    script.then("ending", showing(Screen::Result), [](Game&) {}).nextFrame();
    script.then("ending drawn", capture("screen_ending"));
    script.click("DALEJ of the ending", kBoxButton, kHoverNextWon, showing(Screen::Result));
    script.then(
        "name entry", [](Game& a) { return a.screenShown() == Screen::HighScores && a.world->entryRow == 0; }, [](Game&) {});
    script.keys("A", {scanOf('A')}).keys("B", {scanOf('B')}).nextFrame();
    script.then("high scores", capture("screen_high_scores"));
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
}

TEST(ScreensGolden, LostAndGameOverBoxes) {
    TestGame game;
    writePictures(game.dir);
    writeLevels(game.dir, 8);
    Script script;
    script.startGame().playLevel();
    script.then("point at DALEJ", [](Game&) { hl::setMouse(kBoxButton.x, kBoxButton.y); });
    script.then(
        "lost box", [](Game& a) { return a.screenShown() == Screen::Result && a.hoverButton == kHoverNextLost; },
        capture("screen_lost"));
    script.click("DALEJ", kBoxButton, kHoverNextLost, showing(Screen::Result));
    script.playLevel().click("DALEJ", kBoxButton, kHoverNextLost, showing(Screen::Result));
    script.playLevel();
    script.then("point at KONIEC", [](Game&) { hl::setMouse(kBoxButton.x, kBoxButton.y); });
    script.then(
        "game over box", [](Game& a) { return a.screenShown() == Screen::Result && a.hoverButton == kHoverGameOver; },
        capture("screen_game_over"));
    script.closeWindow();
    EXPECT_EQ(play(game, script), 0);
}
