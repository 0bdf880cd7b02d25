// Copies from the picture surfaces into the back buffer: keyed and opaque copies, copies that
// do not fit (never clipped), the player's stretched and mirrored copy, the bitmap font with its
// glyph rules, the high-score list, and the box with its colours and bars.
#include "display/blit.h"
#include "display/display_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using display_test::count;
using display_test::DisplayTest;
using display_test::fill;
using display_test::fillRect;

constexpr std::uint16_t kPaper = 0x0F0F;  // what the back buffer holds before a test draws

class Drawing : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        fill(back(), kPaper);
        // Glyph i of the font is a solid square of colour kGlyph + i.
        for (int i = 0; i < 43; ++i) fillRect(buttons(), display->glyphs[i], static_cast<std::uint16_t>(kGlyph + i));
    }
    // The glyph drawn at (x, y), or -1 when the cell shows the paper.
    int glyphAt(int x, int y) {
        const std::uint16_t p = back().at(x + 5, y + 5);
        if (p == kPaper) return -1;
        return p - kGlyph;
    }
    static constexpr std::uint16_t kGlyph = 0x4000;
};

TEST_F(Drawing, KeyedCopyLeavesOutKeyPixelsAndOpaqueCopyTakesAll) {
    // A token frame half solid, half black (the key of the sprite sheet).
    world->tokenCount = 1;
    world->initToken(0, 100, 100, 3);
    const FrameRect f = world->tokens[0].frames[0];
    fillRect(buttons(), f, 0);
    fillRect(buttons(), FrameRect{f.left, f.top, f.left + 17, f.bottom}, 0x1234);
    display->drawTokens(*world);
    EXPECT_EQ(count(back(), FrameRect{100, 100, 117, 133}, 0x1234), 17 * 33);
    EXPECT_EQ(count(back(), FrameRect{117, 100, 134, 133}, kPaper), 17 * 33);
    EXPECT_EQ(back().at(99, 100), kPaper);
    EXPECT_EQ(back().at(100, 133), kPaper);  // frames of a digit are 33 high

    // Blocks are opaque: black pixels of a block are copied too.
    world->initBlockFrames();
    fill(*display->blocksSurface, 0x5555);
    fillRect(*display->blocksSurface, FrameRect{64, 0, 80, 32}, 0);
    for (auto& row : world->blocks)
        for (auto& cell : row) cell = -1;
    world->blocks[2][3] = 2;
    display->drawBlocks(*world);
    EXPECT_EQ(count(back(), FrameRect{96, 64, 112, 96}, 0), 16 * 32);
    EXPECT_EQ(count(back(), FrameRect{112, 64, 128, 96}, 0x5555), 16 * 32);
    EXPECT_EQ(count(back(), FrameRect{0, 0, 640, 64}, 0x5555), 0);  // empty cells draw nothing

    // An inactive token is not drawn.
    fill(back(), kPaper);
    world->tokens[0].active = false;
    display->drawTokens(*world);
    EXPECT_EQ(count(back(), FrameRect{100, 100, 134, 133}, kPaper), 34 * 33);
}

TEST_F(Drawing, CopiesThatDoNotFitWhollyDrawNothing) {
    world->tokenCount = 4;
    world->initToken(0, 606, 10, 1);   // right edge exactly at 640: drawn
    world->initToken(1, 607, 100, 1);  // one column beyond: nothing at all
    world->initToken(2, 10, -1, 1);    // one row above: nothing
    world->initToken(3, 10, 447, 1);   // bottom edge exactly at 480: drawn
    fillRect(buttons(), world->tokens[0].frames[0], 0x2222);
    display->drawTokens(*world);
    EXPECT_EQ(count(back(), FrameRect{606, 10, 640, 43}, 0x2222), 34 * 33);
    EXPECT_EQ(count(back(), FrameRect{600, 100, 640, 133}, 0x2222), 0);
    EXPECT_EQ(count(back(), FrameRect{0, 0, 50, 40}, 0x2222), 0);
    EXPECT_EQ(count(back(), FrameRect{10, 447, 44, 480}, 0x2222), 34 * 33);

    // The 19th and 20th collected items (x 636 and 668) reach past the edge; the 18th fits.
    fill(back(), kPaper);
    world->collectedCount = 20;
    for (int i = 0; i < 20; ++i) world->collected[i] = 0;
    world->tokens[0].animFrame = 4;  // the row always shows the first frame
    display->drawCollected(*world);
    EXPECT_EQ(count(back(), FrameRect{60, 447, 94, 480}, 0x2222), 34 * 33);
    EXPECT_EQ(count(back(), FrameRect{604, 447, 638, 480}, 0x2222), 34 * 33);
    EXPECT_EQ(back().at(638, 460), kPaper);
    EXPECT_EQ(back().at(639, 460), kPaper);

    // The copy helpers also refuse source rectangles outside their picture.
    Surface small(8, 8);
    fill(small, 0x3333);
    EXPECT_FALSE(blit::opaque(back(), 0, 0, small, FrameRect{4, 4, 12, 8}));
    EXPECT_FALSE(blit::opaque(back(), 0, 0, small, FrameRect{4, 4, 4, 8}));  // empty
    EXPECT_TRUE(blit::opaque(back(), 632, 472, small, FrameRect{0, 0, 8, 8}));
    EXPECT_FALSE(blit::opaque(back(), 633, 472, small, FrameRect{0, 0, 8, 8}));
    EXPECT_FALSE(blit::opaque(back(), 0x7FFFFFF0, 0, small, FrameRect{0, 0, 8, 8}));
}

TEST_F(Drawing, PlayerIsStretchedMirroredAndKeyedWhite) {
    GameWorld::initFrames({}, world->playerFrames, 0, 0, 28, 43, 66, 7);
    Surface& sheet = *display->playerSurface;
    fill(sheet, 0xFFFF);
    // Frame 8 (state 1, frame 1) at (43, 66): column c has colour 0x0100 + c, row 0 is white.
    const FrameRect f = world->playerFrames[8];
    for (int y = f.top + 1; y < f.bottom; ++y)
        for (int x = f.left; x < f.right; ++x) sheet.row(y)[x] = static_cast<std::uint16_t>(0x0100 + x - f.left);
    world->playerState = kWalking;
    world->animFrame = 1;
    world->playerWidth = 43;
    world->playerHeight = 66;
    world->playerX = 200;
    world->playerY = 100;
    world->facingLeft = false;
    display->drawPlayer(*world);
    EXPECT_EQ(display->spriteRect, (FrameRect{200, 100, 243, 166}));
    EXPECT_EQ(back().at(200, 100), kPaper);  // white is the sheet's key
    EXPECT_EQ(back().at(200, 101), 0x0100);
    EXPECT_EQ(back().at(242, 101), 0x0100 + 42);
    EXPECT_EQ(back().at(210, 165), 0x0100 + 10);

    fill(back(), kPaper);
    world->facingLeft = true;
    display->drawPlayer(*world);
    EXPECT_EQ(back().at(200, 101), 0x0100 + 42);
    EXPECT_EQ(back().at(242, 101), 0x0100);
    EXPECT_EQ(back().at(210, 165), 0x0100 + 32);
    EXPECT_EQ(back().at(221, 100), kPaper);

    // A figure twice the frame's size: every source pixel covers two by two.
    fill(back(), kPaper);
    world->facingLeft = false;
    world->playerWidth = 86;
    world->playerHeight = 132;
    display->drawPlayer(*world);
    EXPECT_EQ(back().at(200, 100), kPaper);
    EXPECT_EQ(back().at(201, 101), kPaper);
    EXPECT_EQ(back().at(200, 102), 0x0100);
    EXPECT_EQ(back().at(221, 103), 0x0100 + 10);
    EXPECT_EQ(back().at(285, 231), 0x0100 + 42);
    EXPECT_EQ(back().at(286, 231), kPaper);
    // Stretched and mirrored at once.
    fill(back(), kPaper);
    world->facingLeft = true;
    display->drawPlayer(*world);
    EXPECT_EQ(back().at(200, 102), 0x0100 + 42);
    EXPECT_EQ(back().at(285, 231), 0x0100);

    // A figure one pixel beyond the left edge is not drawn at all.
    fill(back(), kPaper);
    world->playerWidth = 43;
    world->playerHeight = 66;
    world->playerX = -1;
    display->drawPlayer(*world);
    EXPECT_EQ(count(back(), FrameRect{0, 100, 50, 166}, kPaper), 50 * 66);
}

TEST_F(Drawing, TitleDrawsBackgroundThenEachButtonsCurrentFrame) {
    fill(*display->backgroundSurface, 0x0841);
    world->allocButtons(3);
    for (int i = 0; i < 3; ++i) world->initButton(i, 278, 150 + 70 * i, i + 1);
    world->buttons[1].frame = 7;
    fillRect(buttons(), world->buttons[0].frames[5], 0x1111);
    fillRect(buttons(), world->buttons[1].frames[7], 0x2222);
    fillRect(buttons(), world->buttons[2].frames[5], 0x3333);
    display->drawTitle(*world);
    EXPECT_EQ(back().at(0, 0), 0x0841);
    EXPECT_EQ(count(back(), FrameRect{278, 150, 378, 186}, 0x1111), 3600);
    EXPECT_EQ(count(back(), FrameRect{278, 220, 378, 256}, 0x2222), 3600);
    EXPECT_EQ(count(back(), FrameRect{278, 290, 378, 326}, 0x3333), 3600);
    EXPECT_EQ(back().at(277, 150), 0x0841);

    // The play background is the same picture, copied in two halves.
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) display->backgroundSurface->row(y)[x] = static_cast<std::uint16_t>(x * 7 + y);
    fill(back(), kPaper);
    display->drawPlayBackground();
    EXPECT_EQ(std::memcmp(back().pixels(), display->backgroundSurface->pixels(), 640 * 480 * 2), 0);
    EXPECT_EQ(display->halfRect, (FrameRect{320, 0, 640, 480}));
}

TEST_F(Drawing, FontGlyphIndexesFollowTheSignedCodeRules) {
    display->drawFontText(293, 175, "PAUZA");
    EXPECT_EQ(glyphAt(293, 175), 32);
    EXPECT_EQ(glyphAt(305, 175), 17);
    EXPECT_EQ(glyphAt(317, 175), 37);
    EXPECT_EQ(glyphAt(329, 175), 42);
    EXPECT_EQ(glyphAt(341, 175), 17);
    EXPECT_EQ(glyphAt(353, 175), -1);

    // ')' and '/' fall onto the digits 0 and 6; '(' , the space, '[' and a Polish letter
    // (a negative code) have no glyph but still take their cell; '0' and 'Z' are the ends.
    fill(back(), kPaper);
    display->drawFontText(0, 0,
                          ")/( [0Z\xA5"
                          "9");
    EXPECT_EQ(glyphAt(0, 0), 0);
    EXPECT_EQ(glyphAt(12, 0), 6);
    EXPECT_EQ(glyphAt(24, 0), -1);
    EXPECT_EQ(glyphAt(36, 0), -1);
    EXPECT_EQ(glyphAt(48, 0), -1);
    EXPECT_EQ(glyphAt(60, 0), 0);
    EXPECT_EQ(glyphAt(72, 0), 42);
    EXPECT_EQ(glyphAt(84, 0), -1);
    EXPECT_EQ(glyphAt(96, 0), 9);
    // Glyph 0 covers x 0..12, y 460..474 of the sheet.
    EXPECT_EQ(display->glyphs[0], (FrameRect{0, 460, 12, 474}));
    EXPECT_EQ(display->glyphs[42], (FrameRect{504, 460, 516, 474}));

    // Numbers: the '-' leaves an empty cell; only 9 characters fit.
    fill(back(), kPaper);
    display->drawFontNumber(360, 20, 250);
    EXPECT_EQ(glyphAt(360, 20), 2);
    EXPECT_EQ(glyphAt(372, 20), 5);
    EXPECT_EQ(glyphAt(384, 20), 0);
    EXPECT_EQ(glyphAt(396, 20), -1);
    display->drawFontNumber(0, 40, -7);
    EXPECT_EQ(glyphAt(0, 40), -1);
    EXPECT_EQ(glyphAt(12, 40), 7);
    display->drawFontNumber(0, 60, 1234567890);
    EXPECT_EQ(glyphAt(96, 60), 9);
    EXPECT_EQ(glyphAt(108, 60), -1);

    // A text running off the right edge loses the glyphs that do not fit.
    fill(back(), kPaper);
    display->drawFontText(620, 300, "12");
    EXPECT_EQ(glyphAt(620, 300), 1);
    EXPECT_EQ(back().at(639, 305), kPaper);
    // Pens far out to the right (or left) draw nothing and do not overflow.
    display->drawFontText(0x7FFFFFF0, 0, "ABCDEFGH");
    display->drawFontNumber(0x7FFFFFF0, 0, 123456789);
    display->drawFontText(-0x7FFFFFFF, 0, "ABCDEFGH");
    EXPECT_EQ(count(back(), FrameRect{0, 0, 640, 20}, kPaper), 640 * 20);
}

TEST_F(Drawing, HighScoreListShowsNamesAndScores) {
    std::memcpy(world->hiNames[0], "ABCDEFGH", 8);  // eight letters, no terminator in the table
    world->hiScores[0] = 250;
    world->hiScores[1] = 0;  // empty name
    std::memcpy(world->hiNames[2], "AB \0\0\0\0\0", 8);
    world->hiScores[2] = 15;
    world->hiNames[3][0] = 'Z';
    world->hiNames[4][0] = 'Q';  // row 3's name must not run into row 4's
    display->drawHighScores(*world);
    for (int k = 0; k < 8; ++k) EXPECT_EQ(glyphAt(250 + 12 * k, 140), 17 + k) << k;
    EXPECT_EQ(glyphAt(346, 140), -1);
    EXPECT_EQ(glyphAt(360, 140), 2);
    EXPECT_EQ(glyphAt(384, 140), 0);
    EXPECT_EQ(glyphAt(250, 160), -1);
    EXPECT_EQ(glyphAt(360, 160), 0);
    EXPECT_EQ(glyphAt(372, 160), -1);
    EXPECT_EQ(glyphAt(250, 180), 17);
    EXPECT_EQ(glyphAt(262, 180), 18);
    EXPECT_EQ(glyphAt(274, 180), -1);
    EXPECT_EQ(glyphAt(250, 200), 42);
    EXPECT_EQ(glyphAt(262, 200), -1);
    EXPECT_EQ(glyphAt(360, 320), 0);  // row 9
    EXPECT_EQ(display->nameBuffer[8], 0);
}

// hiscore.tbl keeps a Cyrillic letter as one byte of Windows-1251: the Polish game leaves its
// cell empty, the other languages draw it from the extra letters, kept clear of the tokens.
TEST_F(Drawing, ACyrillicNameShowsItsLettersOutsidePolishAndEmptyCellsInPolish) {
    for (int i = 0; i < 33; ++i) fillRect(buttons(), display->extraGlyphs[i], static_cast<std::uint16_t>(kGlyph + 100 + i));
    std::memcpy(world->hiNames[0], "\xC0\xDF\xA5Z\xBF", 5);  // А, Я, Ґ, Z and я, which is no capital
    display->drawHighScores(*world);
    EXPECT_EQ(glyphAt(250, 140), -1);
    EXPECT_EQ(glyphAt(262, 140), -1);
    EXPECT_EQ(glyphAt(286, 140), 42);
    display->useLanguage("uk");
    fill(back(), kPaper);
    display->drawHighScores(*world);
    EXPECT_EQ(glyphAt(250, 140), 100);
    EXPECT_EQ(glyphAt(262, 140), 132);
    EXPECT_EQ(glyphAt(274, 140), 104);
    EXPECT_EQ(glyphAt(286, 140), 42);
    EXPECT_EQ(glyphAt(298, 140), -1);
    EXPECT_EQ(display->extraGlyphs[0], (FrameRect{612, 34, 624, 48}));
    EXPECT_EQ(display->extraGlyphs[32], (FrameRect{612, 258, 624, 272}));
}

TEST_F(Drawing, BoxColoursAndBarsFollowThePixelLayout) {
    EXPECT_EQ(display->drawBox(90, 90, 90, 10, 20, 70, 30), 0);
    EXPECT_EQ(count(back(), FrameRect{10, 22, 80, 50}, 0xD6DA), 70 * 28);
    EXPECT_EQ(count(back(), FrameRect{10, 20, 80, 22}, 0xFFFF), 140);               // bars over the fill
    EXPECT_EQ(count(back(), FrameRect{10, 50, 80, 52}, 0xFFFF), 140);               // bars below it
    EXPECT_EQ(count(back(), FrameRect{9, 18, 81, 53}, kPaper), 72 * 35 - 70 * 32);  // nothing else
    display->drawBox(20, 20, 20, 100, 100, 4, 4);
    EXPECT_EQ(back().at(101, 102), 0xA514);
    display->drawBox(80, 20, 80, 200, 100, 10, 10);
    EXPECT_EQ(back().at(205, 105), 0x8550);

    // Height 0: only two white rows.
    fill(back(), kPaper);
    display->drawBox(90, 90, 90, 300, 300, 10, 0);
    EXPECT_EQ(count(back(), FrameRect{300, 300, 310, 302}, 0xFFFF), 20);
    EXPECT_EQ(count(back(), FrameRect{0, 0, 640, 480}, kPaper), 640 * 480 - 20);

    // Until the pixel layout is applied both shifts are 0.
    display->applyPixelFormat(PixelFormatInfo{});
    display->drawBox(90, 90, 90, 400, 400, 4, 4);
    EXPECT_EQ(back().at(401, 402), 90);
    EXPECT_EQ(back().at(401, 400), 0x00FF);

    // 5-5-5: other colours, white bars all the same.
    PixelFormatInfo f555;
    f555.redShift = 10;
    f555.greenShift = 5;
    display->applyPixelFormat(f555);
    display->drawBox(90, 90, 90, 500, 100, 4, 4);
    display->drawBox(20, 20, 20, 500, 110, 4, 4);
    display->drawBox(80, 20, 80, 500, 120, 4, 4);
    EXPECT_EQ(back().at(501, 102), 0x6B5A);
    EXPECT_EQ(back().at(501, 112), 0x5294);
    EXPECT_EQ(back().at(501, 122), 0x42D0);
    EXPECT_EQ(back().at(501, 100), 0xFFFF);
}

TEST_F(Drawing, BoxNeverWritesOutsideTheBackBuffer) {
    // Boxes reaching past every edge are cut to the buffer (a sanitizer build checks the rest).
    display->drawBox(90, 90, 90, 600, 470, 100, 20);
    EXPECT_EQ(back().at(639, 473), 0xD6DA);
    EXPECT_EQ(back().at(600, 470), 0xFFFF);
    EXPECT_EQ(back().at(599, 473), kPaper);
    display->drawBox(90, 90, 90, -50, -50, 60, 100);
    EXPECT_EQ(back().at(0, 0), 0xD6DA);
    EXPECT_EQ(back().at(9, 49), 0xD6DA);
    EXPECT_EQ(back().at(0, 50), 0xFFFF);
    EXPECT_EQ(back().at(10, 20), kPaper);
    display->drawBox(90, 90, 90, 0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFF0, 0x7FFFFFF0);
    display->drawBox(90, 90, 90, -0x7FFFFFFF, 5, 0x7FFFFFFF, 2);
    EXPECT_EQ(back().at(639, 5), kPaper);  // that box ends at x 0
    display->drawBox(90, 90, 90, 700, 10, 10, 10);
    display->drawBox(90, 90, 90, 10, 478, 10, 10);
    EXPECT_EQ(back().at(15, 478), 0xFFFF);
    EXPECT_EQ(back().at(15, 479), 0xFFFF);
}

}  // namespace
