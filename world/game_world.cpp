// Fixed bytes: the trace lines are the game's own, misspellings included ("nastepna", "buton").
#include "world/game_world.h"

#include <cstring>
#include <new>

bool GameWorld::initFrames(const ErrorReporter& trace, FrameRect* frames, std::int32_t x0, std::int32_t y0, std::int32_t count,
                           std::int32_t width, std::int32_t height, std::int32_t perRow) {
    trace.debugLog("\ninicjowanie klatek...");
    const std::int32_t rows = count / perRow;
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < perRow; ++c) {
            trace.debugLog("\n nastepna");
            FrameRect& f = frames[r * perRow + c];
            f.left = x0 + c * width;
            f.top = y0 + r * height;
            f.right = x0 + (c + 1) * width;
            f.bottom = y0 + (r + 1) * height;
        }
    }
    return true;
}

bool GameWorld::allocButtons(std::int32_t count) {
    buttonCount = count;
    buttons.reset(count > 0 ? new (std::nothrow) MenuButton[count] : nullptr);
    if (buttons == nullptr) buttonCount = 0;  // nothing to index into; the title shows no buttons
    return buttons != nullptr;
}

void GameWorld::initButton(std::int32_t index, std::int32_t x, std::int32_t y, std::int32_t type) {
    if (index < 0 || index >= buttonCount) return;
    error.debugLog("\n init buton...");
    MenuButton& b = buttons[index];
    b.x = x;
    b.y = y;
    b.frameCount = layout::kButtonFrames;
    b.frame = layout::kButtonRestingFrame;
    b.step = 1;
    std::int32_t y0 = layout::kButtonTops[0];
    if (type == 3) {
        error.debugLog("typ3\n");
        y0 = layout::kButtonTops[2];
    } else if (type == 2) {
        error.debugLog("typ2\n");
        y0 = layout::kButtonTops[1];
    } else {
        error.debugLog("typ1\n");
    }
    initFrames(error, b.frames, 0, y0, layout::kButtonFrames, layout::kButtonWidth, layout::kButtonHeight,
               layout::kButtonsPerRow);
}

void GameWorld::animateButton(std::int32_t index, std::uint32_t now) {
    if (now - lastStepTick < 30) return;
    MenuButton& b = buttons[index];
    b.frame += b.step;
    if (b.frame == b.frameCount - 1) b.step = -1;
    else if (b.frame == 1) b.step = 1;
    lastStepTick = now;
}

bool GameWorld::initBlockFrames() {
    error.debugLog("\n init klatki...ok");
    return initFrames(error, blockFrames, 0, 0, layout::kBlockKinds, layout::kBlockSize, layout::kBlockSize, layout::kBlockKinds);
}

void GameWorld::initToken(std::int32_t index, std::int32_t x, std::int32_t y, std::int32_t type) {
    if (index < 0 || index >= tokenCount) return;
    error.debugLog("\n init bonus...");
    Token& t = tokens[index];
    t.type = type;
    t.x = x;
    t.y = y;
    t.frameCount = layout::kTokenFrames;
    t.animFrame = 0;
    t.active = true;
    const TokenInfo& info = tokenInfo(type);
    error.debugLog(info.traceLine);
    const FrameRect& p = info.picture;
    initFrames(error, t.frames, p.left, p.top, layout::kTokenFrames, p.right - p.left, p.bottom - p.top, layout::kTokenFrames);
}

void GameWorld::animateTokens(std::uint32_t now) {
    if (now - lastTokenTick < 60) return;
    for (std::int32_t i = 0; i < tokenCount; ++i) {
        Token& t = tokens[i];
        t.animFrame += 1;
        if (t.animFrame == t.frameCount) t.animFrame = 0;
    }
    lastTokenTick = now;
}

void GameWorld::clearExpression() {
    std::memset(expressionText, 0, sizeof expressionText);
    parseCursor = 0;
}

void GameWorld::clearHighScores() {
    std::memset(hiScores, 0, sizeof hiScores);
    std::memset(hiNames, 0, sizeof hiNames);
}
