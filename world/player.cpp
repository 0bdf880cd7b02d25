// Fixed bytes: the trace line is the game's own; keep it as it is.
// The player figure: placing it at a level start, one movement step per 10 ms, and the two
// tests against the block grid that decide where it may go.
#include "world/game_world.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr std::uint32_t kStepMs = 10;     // least time between two movement steps
constexpr std::int32_t kWalkStep = 2;     // pixels sideways per step
constexpr std::int32_t kJumpStep = 2;     // pixels up per rising step
constexpr std::int32_t kFallStep = 2;     // pixels down per step of gravity
constexpr std::int32_t kJumpSteps = 34;   // a full jump rises 68 pixels
constexpr std::int32_t kStartRaise = 34;  // level files give the top of the cell the feet stand in
constexpr std::int32_t kCell = layout::kBlockSize;
constexpr std::int32_t kAnimColumns = layout::kHeroColumns;

// The body is narrower than the 43-pixel picture and lies towards the side the figure faces.
constexpr std::int32_t kBodyInsetFront = 4;
constexpr std::int32_t kBodyInsetBack = 15;

// Positions move by whole pixels without bound (a figure off the grid falls for ever), so they
// wrap instead of overflowing.
std::int32_t moved(std::int32_t position, std::int32_t by) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(position) + static_cast<std::uint32_t>(by));
}

// One scan of the grid around the figure. Columns run from `columnsBefore` cells before the
// figure's own column to 4 after it (exclusive), clipped to 0 and `columnEnd`; rows likewise
// from `rowsBefore` cells before, clipped to the grid. A block counts when it overlaps the body sideways and its top edge lies
// below the figure's top and above (or, with `feetCount`, at) the figure's bottom.
bool scanBlocks(const GameWorld& w, std::int32_t columnsBefore, std::int32_t columnEnd, std::int32_t rowsBefore, bool feetCount) {
    // Wide arithmetic: the figure's position is not bounded.
    const std::int64_t x = w.playerX;
    const std::int64_t y = w.playerY;
    const std::int64_t cx = w.playerX >> 5;  // arithmetic shift: negatives go to the lower cell
    const std::int64_t cy = w.playerY >> 5;
    const std::int64_t bodyLeft = x + (w.facingLeft ? kBodyInsetFront : kBodyInsetBack);
    const std::int64_t bodyRight = x + w.playerWidth - (w.facingLeft ? kBodyInsetBack : kBodyInsetFront);
    const std::int64_t top = y;
    const std::int64_t bottom = y + w.playerHeight;

    const std::int64_t c0 = std::max<std::int64_t>(cx - columnsBefore, 0);
    const std::int64_t c1 = std::min<std::int64_t>(cx + 4, columnEnd);
    const std::int64_t r0 = std::max<std::int64_t>(cy - rowsBefore, 0);
    const std::int64_t r1 = std::min<std::int64_t>(cy + 4, kGridRows);
    for (std::int64_t row = r0; row < r1; ++row) {
        for (std::int64_t column = c0; column < c1; ++column) {
            if (w.blocks[row][column] < 0) continue;
            const std::int64_t bx = kCell * column;
            const std::int64_t by = kCell * row;
            if (!(bx < bodyRight && bx + kCell > bodyLeft)) continue;
            if (top < by && (feetCount ? by <= bottom : by < bottom)) return true;
        }
    }
    return false;
}

}  // namespace

void GameWorld::initPlayer() {
    error.debugLog("\n init gracz...ok");
    playerState = kStanding;
    animFrame = 0;
    facingLeft = false;
    animCounter = 0;
    jumpSteps = 0;
    result = 0;                        // no value yet
    playerWidth = layout::kHeroWidth;  // the figure is as large as its picture
    playerHeight = layout::kHeroHeight;
    animDelay = 3;
    playerY = moved(playerY, -kStartRaise);  // the 66-pixel figure ends at the cell's bottom
    initFrames(error, playerFrames, 0, 0, layout::kHeroFrames, layout::kHeroWidth, layout::kHeroHeight, kAnimColumns);
}

void GameWorld::updatePlayer(bool left, bool right, bool up, bool down, std::uint32_t now) {
    if (now - lastStepTick < kStepMs) return;  // one step at most: no catching up

    const auto walkAnimation = [this] {
        animCounter += 1;
        if (animCounter == animDelay) {
            animCounter = 0;
            animFrame = animFrame + 1 == kAnimColumns ? 0 : animFrame + 1;
        }
    };

    if (left) {
        walkAnimation();
        facingLeft = true;
        playerState = kWalking;
        playerX = moved(playerX, -kWalkStep);
        if (hitsBlock()) playerX = moved(playerX, kWalkStep);
    }
    if (right) {
        walkAnimation();
        facingLeft = false;
        playerState = kWalking;
        playerX = moved(playerX, kWalkStep);
        if (hitsBlock()) playerX = moved(playerX, -kWalkStep);
    }
    if (up && jumpSteps < kJumpSteps) {
        animCounter = 0;
        animFrame = 0;
        playerY = moved(playerY, -kJumpStep);
        jumpSteps += 1;
        playerState = jumpSteps >= kJumpSteps ? kFalling : kRising;
        if (hitsBlock()) {  // the head has passed a block's top: the jump is spent
            jumpSteps = kJumpSteps;
            playerY = moved(playerY, kJumpStep);
            playerState = kFalling;
        }
    }
    if (!left && !right && !up && !down) {
        playerState = kStanding;
        animCounter = 0;
        animFrame = 0;
    }
    lastStepTick = now;

    if (playerState != kRising) {
        playerY = moved(playerY, kFallStep);
        if (standsOnBlock()) {
            playerY = moved(playerY, -kFallStep);
            jumpSteps = 0;
        }
    }

    collectTokens();
}

bool GameWorld::hitsBlock() const { return scanBlocks(*this, 4, kGridColumns, 4, false); }

bool GameWorld::standsOnBlock() const {
    // The ground test never looks at the rightmost column: a floor there does not hold.
    return scanBlocks(*this, 2, kGridColumns - 1, 1, true);
}
