// What reaches the screen: the flip chain, text output with its bounds test, shadow and edge
// cut, the caption drawn straight onto the visible picture, and both curtains with their cell
// order, step count and a clock that wraps.
#include "display/curtain.h"
#include "display/display_fixture.h"
#include "platform/cp1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <utility>

namespace {

using display_test::count;
using display_test::DisplayTest;
using display_test::fill;
using display_test::fillRect;

constexpr std::uint16_t kPaper = 0x0F0F;

// Bounding box of the pixels of `s` inside `area` equal to `colour` (left = -1 when none).
FrameRect boundsOf(const Surface& s, const FrameRect& area, std::uint16_t colour) {
    FrameRect b{-1, -1, -1, -1};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (s.at(x, y) != colour) continue;
            if (b.left < 0) b = FrameRect{x, y, x + 1, y + 1};
            b.left = std::min(b.left, x);
            b.top = std::min(b.top, y);
            b.right = std::max(b.right, x + 1);
            b.bottom = std::max(b.bottom, y + 1);
        }
    }
    return b;
}

// A curtain run to its end as the host steps it: one look at the clock a step.
void runCurtain(Display& display, bool reveal) {
    Curtain curtain(display, reveal);
    while (!curtain.spin()) {
    }
}

bool sameAs(const std::vector<std::uint16_t>& frame, const Surface& s) {
    return frame.size() == static_cast<std::size_t>(s.width() * s.height()) &&
           std::memcmp(frame.data(), s.pixels(), frame.size() * 2) == 0;
}

using Presenting = DisplayTest;

TEST_F(Presenting, FlipShowsTheBackBufferAndHandsBackWhatWasShown) {
    fill(back(), 0x1111);
    EXPECT_EQ(display->flip(), 0);
    EXPECT_EQ(plat::headless::flipCount(), 1u);
    EXPECT_TRUE(plat::headless::lastFrame().flip);
    EXPECT_EQ(plat::headless::lastFrame().pixels[0], 0x1111);
    EXPECT_EQ(front().at(0, 0), 0x1111);
    EXPECT_EQ(back().at(0, 0), 0x0000);  // what the screen held before

    fill(back(), 0x2222);
    EXPECT_EQ(display->flip(), 0);
    EXPECT_EQ(plat::headless::lastFrame().pixels[640 * 480 - 1], 0x2222);
    EXPECT_EQ(back().at(639, 479), 0x1111);

    // A lost visible picture ends in FlipFailed.
    plat::headless::setFail(plat::headless::Fail::Present, true);
    EXPECT_EQ(display->flip(), static_cast<std::int32_t>(ErrorCode::FlipFailed));
}

TEST_F(Presenting, TextBoundsShadowAndEdge) {
    fill(back(), kPaper);
    const FrameRect all{0, 0, 640, 480};
    display->drawText(629, 100, "W");
    display->drawText(100, -1, "W");
    display->drawText(100, 469, "W");
    display->drawText(-1, 100, "W");
    EXPECT_EQ(count(back(), all, kPaper), 640 * 480);

    // x 628 draws, and a long text is cut at the right edge.
    display->drawText(628, 100, "WWWWWW");
    const FrameRect white = boundsOf(back(), all, 0xFFFF);
    ASSERT_GE(white.left, 0);
    EXPECT_GE(white.left, 628);
    EXPECT_LE(white.left, 630);  // the letter's own left bearing
    EXPECT_EQ(white.right, 640);
    EXPECT_GE(white.top, 100);  // the pen is the line's top left corner
    EXPECT_LE(white.top, 104);
    // The black shadow is the same text two pixels left and one up.
    const FrameRect black = boundsOf(back(), all, 0x0000);
    ASSERT_GE(black.left, 0);
    EXPECT_EQ(black.left, white.left - 2);
    EXPECT_EQ(black.top, white.top - 1);

    // A shadow at (-2, -1) is cut by the edges, not refused.
    fill(back(), kPaper);
    display->drawText(0, 0, "T");
    EXPECT_GT(count(back(), all, 0xFFFF), 0);
    EXPECT_GT(count(back(), all, 0x0000), 0);

    // Numbers are white without a shadow.
    fill(back(), kPaper);
    display->drawNumber(50, 5, 1234);
    EXPECT_GT(count(back(), all, 0xFFFF), 20);
    EXPECT_EQ(count(back(), all, 0x0000), 0);
    const FrameRect number = boundsOf(back(), all, 0xFFFF);
    EXPECT_GE(number.left, 50);
    EXPECT_LE(number.bottom, 5 + 15);  // a line fits the 15-pixel spacing of the boxes
    fill(back(), kPaper);
    display->drawNumber(629, 5, 1);
    EXPECT_EQ(count(back(), all, kPaper), 640 * 480);
    EXPECT_EQ(plat::headless::presentCount(), 0u);  // none of this shows before a flip
}

TEST_F(Presenting, PolishLettersAreTheirOwnGlyphs) {
    // "ę" has an ogonek below the line, which "e" lacks; "Ł" is not "L".
    fill(back(), kPaper);
    display->drawNumber(0, 0, 0);  // warm-up: the same font
    fill(back(), kPaper);
    display->drawText(100, 100, "e");
    const FrameRect e = boundsOf(back(), FrameRect{90, 90, 140, 130}, 0xFFFF);
    display->drawText(200, 100, plat::cp1250("ę"));
    const FrameRect eOgonek = boundsOf(back(), FrameRect{190, 90, 240, 130}, 0xFFFF);
    ASSERT_GE(e.left, 0);
    ASSERT_GE(eOgonek.left, 0);
    EXPECT_GT(eOgonek.bottom, e.bottom);
    EXPECT_EQ(eOgonek.top, e.top);

    fill(back(), kPaper);
    display->drawText(100, 100, "L");
    display->drawText(200, 100, plat::cp1250("Ł"));
    int differences = 0;
    for (int y = 95; y < 125; ++y)
        for (int x = 95; x < 125; ++x) differences += back().at(x, y) != back().at(x + 100, y) ? 1 : 0;
    EXPECT_GT(differences, 3);
}

TEST_F(Presenting, CaptionGoesStraightOntoTheVisiblePicture) {
    fill(back(), kPaper);
    fill(front(), 0x1082);
    display->drawFrontText(280, 230, "Poziom 3");
    const std::uint16_t blue = ((150 >> 3) << 11) | ((200 >> 2) << 5) | (255 >> 3);
    EXPECT_GT(count(front(), FrameRect{270, 220, 400, 260}, blue), 20);
    EXPECT_GT(count(front(), FrameRect{270, 220, 400, 260}, 0x0000), 20);
    EXPECT_EQ(count(back(), FrameRect{0, 0, 640, 480}, kPaper), 640 * 480);
    EXPECT_EQ(plat::headless::presentCount(), 1u);
    EXPECT_EQ(plat::headless::flipCount(), 0u);
    EXPECT_TRUE(sameAs(plat::headless::lastFrame().pixels, front()));
    display->drawFrontText(629, 230, "X");  // out of bounds: nothing, not even a present
    EXPECT_EQ(plat::headless::presentCount(), 1u);
}

// Cell (column, row) of each walker after `steps` steps: A snakes down from the top left, B up
// from the bottom right.
std::pair<int, int> walkerA(int step) {
    const int row = step / 20;
    return {row % 2 == 0 ? step % 20 : 19 - step % 20, row};
}
std::pair<int, int> walkerB(int step) {
    const int row = step / 20;
    return {row % 2 == 0 ? 19 - step % 20 : step % 20, 14 - row};
}

constexpr std::uint16_t kTile = 0x7BEF;

// The cells of a shown frame whose top left pixel is the curtain's tile.
std::set<std::pair<int, int>> coveredCells(const plat::headless::Frame& frame) {
    std::set<std::pair<int, int>> covered;
    for (int r = 0; r < 15; ++r)
        for (int c = 0; c < 20; ++c)
            if (frame.pixels[static_cast<std::size_t>(32 * r * 640 + 32 * c)] == kTile) covered.insert({c, r});
    return covered;
}

TEST_F(Presenting, CurtainCoversCellByCellInSnakeOrder) {
    fillRect(buttons(), FrameRect{608, 0, 640, 32}, kTile);
    fill(front(), 0x1111);
    plat::headless::keepFrames(true);
    const std::uint32_t start = plat::headless::peekTime();
    runCurtain(*display, false);
    const auto& frames = plat::headless::frames();
    ASSERT_EQ(frames.size(), 160u);
    EXPECT_GE(plat::headless::peekTime() - start, 160u * 12u);
    std::set<std::pair<int, int>> expected;
    for (int k = 0; k < 160; ++k) {
        expected.insert(walkerA(k));
        expected.insert(walkerB(k));
        EXPECT_FALSE(frames[k].flip);
        ASSERT_EQ(coveredCells(frames[k]), expected) << "after step " << k + 1;
    }
    EXPECT_EQ(expected.size(), 300u);  // every cell, row 7 by both walkers
    EXPECT_EQ(count(front(), FrameRect{0, 0, 640, 480}, kTile), 640 * 480);
}

// Looks every `gap` ms (a page's refresh, a stall, a tab brought back): each shows every cell
// due by then in the same order, and the last comes in the desktop's 160 x 12 ms.
TEST_F(Presenting, CurtainThatCatchesUpDrawsEveryCellDueAndKeepsTheDesktopsTime) {
    fillRect(buttons(), FrameRect{608, 0, 640, 32}, kTile);
    plat::headless::keepFrames(true);
    plat::headless::setTimeStep(0);
    for (const std::uint32_t gap : {12u, 17u, 25u, 5000u}) {
        const std::size_t first = plat::headless::frames().size();
        const std::uint32_t start = plat::headless::peekTime();
        Curtain curtain(*display, false, Curtain::Pace::CatchUp);
        while (!curtain.spin()) plat::headless::advance(gap);
        const auto& frames = plat::headless::frames();
        const std::size_t looks = frames.size() - first;
        for (std::size_t k = 0; k < looks; ++k) {
            std::set<std::pair<int, int>> expected;
            for (int step = 0; step < std::min(160, static_cast<int>(gap * (k + 1) / 12)); ++step) {
                expected.insert(walkerA(step));
                expected.insert(walkerB(step));
            }
            ASSERT_EQ(coveredCells(frames[first + k]), expected) << "gap " << gap << ", look " << k + 1;
        }
        EXPECT_EQ(looks, (160u * 12u + gap - 1) / gap) << gap;
        EXPECT_EQ(plat::headless::peekTime() - start, looks * gap) << gap;
        fill(front(), 0x1111);
    }
}

TEST_F(Presenting, CurtainRunsThroughAWrappingClock) {
    plat::headless::setTime(0xFFFFFFFFu - 100);
    plat::headless::setTimeStep(5);
    runCurtain(*display, false);
    EXPECT_EQ(plat::headless::presentCount(), 160u);
    EXPECT_LT(plat::headless::peekTime(), 0x10000u);  // went through 0 and on
    EXPECT_GE(plat::headless::peekTime() + 101u, 160u * 12u);
}

TEST_F(Presenting, CurtainSaysWhenItsNextCellIsDueSoAHostThatSleepsTillThenWakesOncePerCell) {
    plat::headless::setTimeStep(5);
    Curtain counted(*display, false);
    std::vector<std::uint32_t> waits;
    for (int look = 0; look < 4; ++look) {
        counted.spin();
        waits.push_back(counted.msToNextCell());
    }
    EXPECT_EQ(waits, (std::vector<std::uint32_t>{7, 2, 12, 7}));  // a cell at the third look

    // The clock moved only by the host's sleeps: the first look comes at the start, every
    // other one finds its cell due.
    plat::headless::setTimeStep(0);
    const std::size_t presents = plat::headless::presentCount();
    Curtain timed(*display, true);
    int looks = 1;
    while (!timed.spin()) {
        plat::headless::advance(timed.msToNextCell());
        ++looks;
    }
    EXPECT_EQ(looks, 161);
    EXPECT_EQ(plat::headless::presentCount() - presents, 160u);
}

TEST_F(Presenting, WipeInRevealsTheBackBufferAndWipeOutThenInShowsItsOldContent) {
    fillRect(buttons(), FrameRect{608, 0, 640, 32}, 0x7BEF);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) back().row(y)[x] = static_cast<std::uint16_t>(x ^ (y << 6));
    const std::vector<std::uint16_t> first(back().pixels(), back().pixels() + 640 * 480);
    ASSERT_EQ(display->flip(), 0);
    fill(back(), 0x3333);
    ASSERT_EQ(display->flip(), 0);
    // A change of screen with nothing drawn between the curtains shows what the back buffer
    // held: the frame before the last flip.
    runCurtain(*display, false);
    EXPECT_EQ(count(front(), FrameRect{0, 0, 640, 480}, 0x7BEF), 640 * 480);
    runCurtain(*display, true);
    EXPECT_EQ(plat::headless::presentCount(), 2u + 320u);
    EXPECT_TRUE(sameAs(first, front()));
    EXPECT_EQ(plat::headless::lastFrame().pixels, first);
}

}  // namespace
