// Whole composed frames against reference pictures (tests/golden/, see golden.h for how to
// rewrite them). The pictures are made here, written as BMP files and loaded the way the game
// loads them, so a frame covers the whole road: decoding, keys, copies, font, text and box.
// The platform text comes from the system's DejaVu Sans Bold through SDL_ttf; another version
// of the font or of FreeType can move its pixels, which is a reason to look and rewrite.
#include "display/golden.h"
#include "display/display_fixture.h"
#include "platform/cp1250.h"
#include "support/bmp_writer.h"
#include "support/test_game.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace {

using display_test::DisplayTest;
using display_test::matchesGolden;
using testing_support::makeBmp;
using testing_support::Rgb;
using testing_support::writeFile;

// Title and level background: broad horizontal bands with a darker frame.
Rgb background(int x, int y, int hue) {
    if (x < 8 || y < 8 || x >= 632 || y >= 472) return Rgb{20, 20, 40};
    const int band = y / 40;
    return Rgb{static_cast<std::uint8_t>(40 + band * 12), static_cast<std::uint8_t>(60 + hue),
               static_cast<std::uint8_t>(200 - band * 10)};
}

// The sprite sheet: black (the key) around button frames, tokens, the glyph row and the
// curtain tile, each easy to tell apart.
Rgb spriteSheet(int x, int y) {
    if (y < 181 && x < 600) {  // three button types, 12 frames of 100 x 36, 6 to a row
        const int fx = x % 100;
        const int fy = (y < 73 ? y : y < 145 ? y - 73 : y - 145) % 36;
        const int frame = x / 100 + 6 * ((y < 73 ? y : y < 145 ? y - 73 : y - 145) / 36);
        if (fx < 4 + frame || fx >= 96 || fy < 3 || fy >= 33) return Rgb{};
        return Rgb{static_cast<std::uint8_t>(60 + frame * 15), static_cast<std::uint8_t>(y < 73 ? 160 : 90),
                   static_cast<std::uint8_t>(y < 145 ? 40 : 220)};
    }
    if (y >= 218 && y < 456 && x < 612) {  // tokens: discs of 34 x 33
        const int fx = x % 34 - 17;
        const int fy = (y - 218) % 34 - 16;
        if (fx * fx + fy * fy > 14 * 14) return Rgb{};
        const int row = (y - 218) / 34;
        return Rgb{static_cast<std::uint8_t>(250 - row * 25), static_cast<std::uint8_t>(120 + (x / 34) * 14),
                   static_cast<std::uint8_t>(30 + row * 30)};
    }
    if (y >= 460 && y < 474 && x < 516) {  // glyphs '0'..'Z': a pattern of bars per code
        const int glyph = x / 12;
        const int gx = x % 12;
        const int gy = y - 460;
        const bool on = gx >= 2 && gx < 10 && gy >= 2 && gy < 12 && ((gx * 3 + gy * (glyph % 5 + 1) + glyph) % 4 < 2);
        return on ? Rgb{255, 230, 90} : Rgb{};
    }
    if (y < 32 && x >= 608) return ((x / 8 + y / 8) & 1) ? Rgb{90, 40, 120} : Rgb{200, 180, 60};  // curtain tile
    return Rgb{};
}

// The player sheet: white (the key) around a figure whose colours change with the frame and
// whose head sits to the right, so a mirrored copy shows.
Rgb playerSheet(int x, int y) {
    const int frame = x / 43 + 7 * (y / 66);
    const int fx = x % 43;
    const int fy = y % 66;
    if (fy >= 6 && fy < 20 && fx >= 22 && fx < 36) return Rgb{240, 190, 150};  // head
    if (fy >= 20 && fy < 50 && fx >= 12 && fx < 32) return Rgb{static_cast<std::uint8_t>(frame * 9), 80, 200};
    if (fy >= 50 && fy < 66 && (fx == 14 + frame % 4 || fx == 28 - frame % 4)) return Rgb{30, 30, 30};
    return Rgb{255, 255, 255};
}

Rgb blockSheet(int x, int y) {
    const int kind = x / 32;
    const bool mortar = y % 8 == 0 || (x + (y / 8) * 16 * (kind & 1)) % 32 == 0;
    if (mortar) return Rgb{50, 40, 30};
    return Rgb{static_cast<std::uint8_t>(150 + kind * 25), static_cast<std::uint8_t>(90 + kind * 30), 60};
}

class Golden : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        std::filesystem::create_directory("gfx");
        writeFile("gfx/title.bmp", makeBmp(640, 480, 24, [](int x, int y) { return background(x, y, 0); }));
        writeFile("gfx/hiscore.bmp", makeBmp(320, 240, 24, [](int x, int y) { return background(2 * x, 2 * y, 100); }));
        writeFile("gfx/tlo1.bmp", makeBmp(640, 480, 32, [](int x, int y) { return background(x, y, 50); }));
        writeFile("gfx/butony.bmp", makeBmp(640, 480, 24, spriteSheet));
        writeFile("gfx/gracz1.bmp", makeBmp(344, 264, 24, playerSheet));
        writeFile("gfx/klocki1.bmp", makeBmp(128, 32, 8, blockSheet));
        display->loadSpriteBitmaps();
    }
};

TEST_F(Golden, TitleFrame) {
    display->loadTitleBitmap();
    world->allocButtons(3);
    for (int i = 0; i < 3; ++i) world->initButton(i, 278, 150 + 70 * i, i + 1);
    world->buttons[1].frame = 9;  // the hovered one, half way through its animation
    display->drawTitle(*world);
    display->drawText(0, 5, "FPS:");
    display->drawNumber(50, 5, 60);
    display->drawText(100, 420, plat::cp1250("Zażółć gęślą jaźń! Wczytuję..."));
    display->drawFontText(150, 30, "KALKULON 2024");
    EXPECT_TRUE(matchesGolden("title", *display->backBuffer));
}

TEST_F(Golden, LevelFrame) {
    display->loadBackgroundBitmap("gfx\\tlo1.bmp");
    display->loadBlocksBitmap("gfx\\klocki1.bmp");
    world->initBlockFrames();
    for (auto& row : world->blocks)
        for (auto& cell : row) cell = -1;
    for (int c = 0; c < 20; ++c) world->blocks[13][c] = c % 4;
    for (int c = 4; c < 10; ++c) world->blocks[9][c] = 2;
    world->blocks[5][15] = 3;
    world->tokenCount = 5;
    const std::int32_t types[5] = {3, kTokenPlus, 4, kTokenEquals, 9};
    for (int i = 0; i < 5; ++i) world->initToken(i, 100 + 80 * i, 240, types[i]);
    world->tokens[1].animFrame = 4;
    world->tokens[4].active = false;
    world->collectedCount = 2;
    world->collected[0] = 0;
    world->collected[1] = 1;
    GameWorld::initFrames({}, world->playerFrames, 0, 0, 28, 43, 66, 7);
    world->playerWidth = 43;
    world->playerHeight = 66;
    world->playerX = 300;
    world->playerY = 350;
    world->playerState = kWalking;
    world->animFrame = 3;
    world->facingLeft = true;

    display->drawPlayBackground();
    display->drawBlocks(*world);
    display->drawTokens(*world);
    display->drawCollected(*world);
    display->drawPlayer(*world);
    display->drawFontNumber(560, 40, 24);
    display->drawText(10, 455, "Wynik:");
    display->drawNumber(560, 455, 125);
    EXPECT_TRUE(matchesGolden("level", *display->backBuffer));

    // The result box over the same frame.
    display->drawBox(20, 20, 20, 120, 150, 400, 150);
    display->drawText(140, 165, plat::cp1250("Gratulacje! Poziom ukończony."));
    display->drawText(140, 180, plat::cp1250("Wynik zgadza się z liczbą na tablicy."));
    display->drawBox(90, 90, 90, 285, 255, 70, 30);
    display->drawText(300, 262, "Dalej");
    EXPECT_TRUE(matchesGolden("level_result", *display->backBuffer));
}

TEST_F(Golden, HighScoreFrame) {
    display->loadHighScoreBitmap();  // a file of half the size, scaled
    const char* names[4] = {"ADAM", "ZOSIA", "KAROLINA", "AB"};
    const std::int32_t scores[4] = {1250, 980, 75, 5};
    for (int i = 0; i < 4; ++i) {
        std::memcpy(world->hiNames[i], names[i], std::strlen(names[i]));
        world->hiScores[i] = scores[i];
    }
    display->drawBackground();
    display->drawHighScores(*world);
    display->drawBox(80, 20, 80, 250, 222, 10, 10);  // the name-entry cursor
    EXPECT_TRUE(matchesGolden("high_scores", *display->backBuffer));
}

TEST(GoldenStart, LoadingFrameShowsTheLoadingText) {
    testing_support::TestGame game;
    plat::headless::keepFrames(true);
    game.run([](Game&, long poll) {
        if (poll == 2) plat::headless::postSystemClose();
    });
    ASSERT_FALSE(plat::headless::frames().empty());
    const auto& first = plat::headless::frames().front();
    EXPECT_TRUE(first.flip);
    Surface shown(640, 480);
    shown.storage() = first.pixels;
    EXPECT_TRUE(matchesGolden("loading", shown));
}

}  // namespace
