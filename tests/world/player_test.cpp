// The player figure's movement: step timing, walking and its animation, jumping, landing,
// heads and walls, the ground test's blind rightmost column, and falling off the grid.
#include "support/temp_dir.h"
#include "world/rules_world.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace {

constexpr std::int32_t kFloorRow = 10;    // top at y 320
constexpr std::int32_t kStandingY = 254;  // a figure whose feet are on the floor's top

class Movement : public ::testing::Test {
protected:
    void SetUp() override { fillRow(kFloorRow, 0, 20); }

    void fillRow(std::int32_t row, std::int32_t from, std::int32_t to) {
        for (std::int32_t c = from; c < to; ++c) w->blocks[row][c] = 0;
    }
    // Places the figure as a level file would: x, and the top of the cell its feet stand in.
    void placeAtLevelStart(std::int32_t x, std::int32_t cellTop) {
        w->playerX = x;
        w->playerY = cellTop;
        w->initPlayer();
    }
    void step(bool left, bool right, bool up, bool down) {
        now += 10;
        w->updatePlayer(left, right, up, down, now);
    }
    void steps(int n, bool left, bool right, bool up, bool down) {
        for (int k = 0; k < n; ++k) step(left, right, up, down);
    }

    testing_support::TempDir dir;  // the trace goes here
    std::unique_ptr<GameWorld> w = rules_test::emptyWorld(ErrorReporter(kTraceFile));
    std::uint32_t now = 1000;
};

TEST_F(Movement, LevelStartPlacesTheFigureOnItsCellAndItStaysPut) {
    placeAtLevelStart(100, 288);
    EXPECT_EQ(w->playerY, kStandingY);  // raised by 34: feet on the top of row 10
    EXPECT_EQ(w->playerWidth, 43);
    EXPECT_EQ(w->playerHeight, 66);
    EXPECT_EQ(w->playerState, kStanding);
    EXPECT_EQ(w->jumpSteps, 0);
    EXPECT_EQ(w->playerFrames[8], (FrameRect{43, 66, 86, 132}));
    EXPECT_EQ(w->playerFrames[27], (FrameRect{258, 198, 301, 264}));
    EXPECT_EQ(dir.read("debug.txt").rfind("\n init gracz...ok", 0), 0u);
    steps(10, false, false, false, false);
    EXPECT_EQ(w->playerY, kStandingY);
    EXPECT_EQ(w->playerX, 100);
}

TEST_F(Movement, OneStepPerTenMillisecondsWithoutCatchingUp) {
    placeAtLevelStart(100, 288);
    w->lastStepTick = 1000;
    w->updatePlayer(true, false, false, false, 1009);
    EXPECT_EQ(w->playerX, 100);
    EXPECT_EQ(w->playerState, kStanding);
    EXPECT_EQ(w->lastStepTick, 1000u);
    w->updatePlayer(true, false, false, false, 1010);
    EXPECT_EQ(w->playerX, 98);
    EXPECT_EQ(w->lastStepTick, 1010u);
    w->updatePlayer(true, false, false, false, 9000);  // a long frame: still one step
    EXPECT_EQ(w->playerX, 96);
    // The clock wraps: the difference is taken unsigned.
    w->lastStepTick = 0xFFFFFFFAu;
    w->updatePlayer(true, false, false, false, 3);
    EXPECT_EQ(w->playerX, 96);
    w->updatePlayer(true, false, false, false, 4);
    EXPECT_EQ(w->playerX, 94);
}

TEST_F(Movement, WalkingMovesTwoPixelsAndAnimatesEveryThirdStep) {
    placeAtLevelStart(300, 288);
    steps(3, true, false, false, false);
    EXPECT_EQ(w->playerX, 294);
    EXPECT_EQ(w->playerY, kStandingY);
    EXPECT_TRUE(w->facingLeft);
    EXPECT_EQ(w->playerState, kWalking);
    EXPECT_EQ(w->animFrame, 1);
    steps(15, true, false, false, false);
    EXPECT_EQ(w->animFrame, 6);
    steps(3, true, false, false, false);
    EXPECT_EQ(w->animFrame, 0);  // 6 wraps to 0
    step(false, true, false, false);
    EXPECT_FALSE(w->facingLeft);
    EXPECT_EQ(w->playerX, 260);
    step(false, false, false, false);
    EXPECT_EQ(w->playerState, kStanding);
    EXPECT_EQ(w->animFrame, 0);
    EXPECT_EQ(w->animCounter, 0);
}

TEST_F(Movement, BothArrowKeysCancelAndAnimateTwiceAsFast) {
    placeAtLevelStart(300, 288);
    steps(6, true, true, false, false);
    EXPECT_EQ(w->playerX, 300);
    EXPECT_FALSE(w->facingLeft);
    EXPECT_EQ(w->playerState, kWalking);
    EXPECT_EQ(w->animFrame, 4);
}

TEST_F(Movement, FullJumpRisesSixtyEightPixelsThenFalls) {
    placeAtLevelStart(100, 288);
    for (int k = 1; k <= 33; ++k) {
        step(false, false, true, false);
        ASSERT_EQ(w->playerY, kStandingY - 2 * k);
        ASSERT_EQ(w->playerState, kRising);
        ASSERT_EQ(w->jumpSteps, k);
    }
    step(false, false, true, false);  // the 34th rise, and gravity acts in the same step
    EXPECT_EQ(w->playerState, kFalling);
    EXPECT_EQ(w->jumpSteps, 34);
    EXPECT_EQ(w->playerY, kStandingY - 68 + 2);

    // Up still held: the jump is spent, the state stays, and it falls 2 pixels per step.
    std::int32_t y = w->playerY;
    int fallSteps = 0;
    while (w->jumpSteps != 0 && fallSteps < 100) {
        step(false, false, true, false);
        ++fallSteps;
        if (w->jumpSteps != 0) {
            ASSERT_EQ(w->playerY, y + 2);
            ASSERT_EQ(w->playerState, kFalling);
        }
        y = w->playerY;
    }
    EXPECT_EQ(w->playerY, kStandingY - 2);  // landed 2 pixels above the floor
    // Holding Up keeps jumping: the next step rises again.
    step(false, false, true, false);
    EXPECT_EQ(w->playerY, kStandingY - 4);
    EXPECT_EQ(w->playerState, kRising);
    EXPECT_EQ(w->jumpSteps, 1);
}

TEST_F(Movement, ReleasingUpEndsTheRiseButTheCounterWaitsForLanding) {
    placeAtLevelStart(100, 288);
    steps(10, false, false, true, false);
    EXPECT_EQ(w->playerY, kStandingY - 20);
    step(false, false, false, false);  // standing: gravity
    EXPECT_EQ(w->playerY, kStandingY - 18);
    EXPECT_EQ(w->jumpSteps, 10);
    steps(23, false, false, true, false);
    EXPECT_EQ(w->playerState, kRising);
    EXPECT_EQ(w->jumpSteps, 33);
    step(false, false, true, false);
    EXPECT_EQ(w->playerState, kFalling);
    EXPECT_EQ(w->jumpSteps, 34);
}

TEST_F(Movement, DownAloneKeepsTheState) {
    placeAtLevelStart(300, 288);
    steps(5, false, false, true, false);
    const std::int32_t y = w->playerY;
    steps(5, false, false, false, true);  // mid-rise: hangs in the air
    EXPECT_EQ(w->playerState, kRising);
    EXPECT_EQ(w->playerY, y);
    EXPECT_EQ(w->jumpSteps, 5);
    step(false, false, false, false);
    EXPECT_EQ(w->playerY, y + 2);

    steps(40, false, false, false, false);  // back on the floor
    steps(4, true, false, false, false);
    const std::int32_t x = w->playerX;
    step(false, false, false, true);  // walking: the state and the frame stay
    EXPECT_EQ(w->playerState, kWalking);
    EXPECT_EQ(w->animFrame, 1);
    EXPECT_EQ(w->animCounter, 1);
    EXPECT_EQ(w->playerX, x);
}

TEST_F(Movement, HeadStopsOnlyOncePastABlocksTop) {
    w->blocks[6][4] = 1;  // y 192..223, x 128..159: over the head of a figure at x 100
    placeAtLevelStart(100, 288);
    steps(31, false, false, true, false);
    EXPECT_EQ(w->playerY, 192);  // head level with the block's top: not yet a hit
    EXPECT_EQ(w->playerState, kRising);
    step(false, false, true, false);  // head past the top: put back, jump spent, falls
    EXPECT_EQ(w->jumpSteps, 34);
    EXPECT_EQ(w->playerState, kFalling);
    EXPECT_EQ(w->playerY, 192 + 2);
}

TEST_F(Movement, FallingComesToRestOneOrTwoPixelsAboveATop) {
    w->playerX = 100;
    w->playerY = 320 - 66 - 8;  // an even distance
    w->jumpSteps = 34;
    steps(10, false, false, false, false);
    EXPECT_EQ(w->playerY + 66, 318);
    EXPECT_EQ(w->jumpSteps, 0);

    w->playerY = 320 - 66 - 7;  // an odd distance
    steps(10, false, false, false, false);
    EXPECT_EQ(w->playerY + 66, 319);
}

TEST_F(Movement, WallsStopTheBodyWhichDependsOnFacing) {
    for (std::int32_t row : {8, 9}) {
        w->blocks[row][2] = 0;   // x 64..95
        w->blocks[row][10] = 0;  // x 320..351
    }
    w->blocks[7][6] = 0;  // top above the figure's top: never stops a sideways step
    placeAtLevelStart(150, 288);
    steps(80, false, true, false, false);
    EXPECT_EQ(w->playerX, 280);  // facing right the body ends 4 pixels inside the picture
    steps(120, true, false, false, false);
    EXPECT_EQ(w->playerX, 92);  // facing left the body starts 4 pixels inside it
    EXPECT_EQ(w->playerY, kStandingY);
}

TEST_F(Movement, RightmostColumnIsAWallButNoFloor) {
    // Floor in column 19 alone does not hold a figure standing over it.
    placeAtLevelStart(600, 288);
    steps(3, false, false, false, false);
    EXPECT_EQ(w->playerY, kStandingY + 6);

    // A block in column 19 stops a step to the right.
    w = rules_test::emptyWorld(ErrorReporter(kTraceFile));
    fillRow(kFloorRow, 0, 20);
    w->blocks[8][19] = 0;
    w->blocks[9][19] = 0;
    placeAtLevelStart(560, 288);
    steps(10, false, true, false, false);
    EXPECT_EQ(w->playerX, 568);
    EXPECT_EQ(w->playerY, kStandingY);
}

TEST_F(Movement, WalkingOffAPlatformFallsToTheNextTop) {
    w = rules_test::emptyWorld(ErrorReporter(kTraceFile));
    fillRow(kFloorRow, 0, 6);  // a platform up to x 191
    fillRow(13, 0, 20);        // the ground, top at y 416
    placeAtLevelStart(140, 288);
    std::int32_t y = w->playerY;
    for (int k = 0; k < 100; ++k) {
        step(false, true, false, false);
        ASSERT_TRUE(w->playerY == y || w->playerY == y + 2);
        y = w->playerY;
    }
    EXPECT_EQ(w->playerY + 66, 414);
}

TEST_F(Movement, AFigureOffTheGridFallsForEver) {
    for (std::int32_t row = 0; row < kGridRows; ++row) fillRow(row, 0, 20);
    w->playerX = -200;  // left of the screen, beside a grid full of blocks
    w->playerY = 100;
    steps(500, false, false, false, false);
    EXPECT_EQ(w->playerY, 1100);

    w->playerX = 300;  // below the grid
    w->playerY = 460;
    steps(500, false, false, false, false);
    EXPECT_EQ(w->playerY, 1460);
}

}  // namespace
