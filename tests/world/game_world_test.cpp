// Frame tables and the small animations of buttons and tokens.
#include "world/game_world.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <memory>

using testing_support::TempDir;

TEST(FrameTables, FillWholeRowsOfEqualFramesRowByRow) {
    TempDir dir;
    FrameRect frames[28];
    EXPECT_TRUE(GameWorld::initFrames({}, frames, 0, 0, 28, 43, 66, 7));
    EXPECT_EQ(frames[0], (FrameRect{0, 0, 43, 66}));
    EXPECT_EQ(frames[8], (FrameRect{43, 66, 86, 132}));
    EXPECT_EQ(frames[27], (FrameRect{258, 198, 301, 264}));

    FrameRect ten[10] = {};
    ten[8] = ten[9] = FrameRect{-1, -1, -1, -1};
    GameWorld::initFrames({}, ten, 5, 7, 10, 10, 20, 4);  // only two whole rows of four
    EXPECT_EQ(ten[7], (FrameRect{35, 27, 45, 47}));
    EXPECT_EQ(ten[8], (FrameRect{-1, -1, -1, -1}));
    EXPECT_EQ(ten[9], (FrameRect{-1, -1, -1, -1}));

    // The trace gets a header and one line per frame filled.
    std::string expected = "\ninicjowanie klatek...";
    for (int i = 0; i < 8; ++i) expected += "\n nastepna";
    TempDir fresh;
    GameWorld::initFrames(ErrorReporter(kTraceFile), ten, 0, 0, 10, 10, 20, 4);
    EXPECT_EQ(fresh.read("debug.txt"), expected);
}

TEST(Tokens, TakeTheirFramesFromTheSheetRowOfTheirType) {
    TempDir dir;
    auto w = std::make_unique<GameWorld>(ErrorReporter(kTraceFile));
    w->tokenCount = 4;
    w->initToken(0, 100, 200, 14);
    EXPECT_EQ(w->tokens[0].frames[0], (FrameRect{306, 423, 340, 456}));
    EXPECT_EQ(w->tokens[0].frames[8], (FrameRect{578, 423, 612, 456}));
    EXPECT_EQ(w->tokens[0].x, 100);
    EXPECT_EQ(w->tokens[0].y, 200);
    EXPECT_TRUE(w->tokens[0].active);
    EXPECT_EQ(w->tokens[0].frameCount, 9);

    w->initToken(1, 0, 0, 7);
    EXPECT_EQ(w->tokens[1].frames[0], (FrameRect{0, 321, 34, 354}));
    w->initToken(2, 0, 0, 10);
    EXPECT_EQ(w->tokens[2].frames[1], (FrameRect{340, 355, 374, 388}));

    TempDir fresh;
    w->initToken(3, 0, 0, 15);  // unknown types: cut as type 1 but 34 pixels high, from y 218
    EXPECT_EQ(w->tokens[3].frames[0], (FrameRect{0, 218, 34, 252}));
    EXPECT_EQ(fresh.read("debug.txt").substr(0, 20), "\n init bonus...typ1\n");
    w->initToken(0, 0, 0, 0);
    EXPECT_EQ(w->tokens[0].frames[0], (FrameRect{0, 218, 34, 252}));

    // Indexes outside the level's tokens are ignored.
    w->initToken(4, 1, 1, 1);
    w->initToken(-1, 1, 1, 1);
    EXPECT_FALSE(w->tokens[4].active);
}

TEST(Tokens, TurnOneFrameEvery60MsTakenOrNotWithoutCatchingUp) {
    TempDir dir;
    auto w = std::make_unique<GameWorld>();
    w->tokenCount = 2;
    w->initToken(0, 0, 0, 1);
    w->initToken(1, 0, 0, 2);
    w->tokens[1].active = false;  // taken tokens turn too
    w->tokens[0].animFrame = 8;
    w->animateTokens(1000);
    EXPECT_EQ(w->tokens[0].animFrame, 0);  // 8 wraps to 0
    EXPECT_EQ(w->tokens[1].animFrame, 1);
    w->animateTokens(1059);
    EXPECT_EQ(w->tokens[1].animFrame, 1);
    w->animateTokens(1060);
    EXPECT_EQ(w->tokens[1].animFrame, 2);
    w->animateTokens(5000);  // a long gap still makes one step
    EXPECT_EQ(w->tokens[1].animFrame, 3);
}

TEST(Buttons, SwingBetweenFrames1And11OneStepPer30Ms) {
    TempDir dir;
    auto w = std::make_unique<GameWorld>();
    ASSERT_TRUE(w->allocButtons(3));
    for (int i = 0; i < 3; ++i) w->initButton(i, 278, 150 + 70 * i, i + 1);
    EXPECT_EQ(w->buttons[0].frame, 5);
    EXPECT_EQ(w->buttons[1].frames[0], (FrameRect{0, 73, 100, 109}));
    EXPECT_EQ(w->buttons[2].frames[11], (FrameRect{500, 181, 600, 217}));
    EXPECT_EQ(w->buttons[0].frames[6], (FrameRect{0, 36, 100, 72}));
    w->initButton(3, 0, 0, 1);  // out of range: ignored

    std::vector<int> seen;
    std::uint32_t t = 30;
    w->animateButton(0, t - 1);  // 29 ms after the start: too early
    EXPECT_EQ(w->buttons[0].frame, 5);
    for (int k = 0; k < 18; ++k, t += 30) {
        w->animateButton(0, t);
        w->animateButton(0, t + 29);  // too soon after the step
        seen.push_back(w->buttons[0].frame);
    }
    EXPECT_EQ(seen, (std::vector<int>{6, 7, 8, 9, 10, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 2, 3}));
}

TEST(Expression, ClearingLeavesTwentyZeroBytesAndTheCursorAtTheStart) {
    auto w = std::make_unique<GameWorld>();
    std::fill(std::begin(w->expressionText), std::end(w->expressionText), 'x');
    w->parseCursor = 7;
    w->clearExpression();
    for (char c : w->expressionText) EXPECT_EQ(c, 0);
    EXPECT_EQ(w->parseCursor, 0);
}
