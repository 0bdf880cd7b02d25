#include "world/game_world.h"

#include <cstring>
#include <new>

GameWorld* currentWorld = nullptr;

bool GameWorld::initFrames(FrameRect* frames, std::int32_t x0, std::int32_t y0, std::int32_t count,
                           std::int32_t width, std::int32_t height, std::int32_t perRow) {
    ErrorReporter error;
    error.debugLog("\ninicjowanie klatek...");
    const std::int32_t rows = count / perRow;
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t c = 0; c < perRow; ++c) {
            error.debugLog("\n nastepna");
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
    b.frameCount = 12;
    b.frame = 5;
    b.step = 1;
    std::int32_t y0 = 0;
    if (type == 3) {
        error.debugLog("typ3\n");
        y0 = 145;
    } else if (type == 2) {
        error.debugLog("typ2\n");
        y0 = 73;
    } else {
        error.debugLog("typ1\n");
    }
    initFrames(b.frames, 0, y0, 12, 100, 36, 6);
}

void GameWorld::animateButton(std::int32_t index, std::uint32_t now) {
    if (now - lastStepTick < 30) return;
    MenuButton& b = buttons[index];
    b.frame += b.step;
    if (b.frame == b.frameCount - 1)
        b.step = -1;
    else if (b.frame == 1)
        b.step = 1;
    lastStepTick = now;
}

bool GameWorld::initBlockFrames() {
    error.debugLog("\n init klatki...ok");
    return initFrames(blockFrames, 0, 0, 4, 32, 32, 4);
}

namespace {

struct BonusSheetRow {
    std::int32_t x0;
    std::int32_t y0;
    const char* log;
};

// Bonus sprites: 9 frames of 34 x 33 per type; odd types at x 0, even at x 306.
constexpr BonusSheetRow kBonusRows[15] = {
    {0, 218, "typ1\n"},  // any other type
    {0, 219, "typ1\n"},   {306, 219, "typ2\n"},        {0, 253, "typ3\n"},
    {306, 253, "typ4\n"}, {0, 287, "typ5\n"},          {306, 287, "typ6\n"},
    {0, 321, "typ7\n"},   {306, 321, "typ8\n"},        {0, 355, "typ9\n"},
    {306, 355, "typ 10 + \n"}, {0, 389, "typ11 - \n"}, {306, 389, "typ12 *\n"},
    {0, 423, "typ13 /\n"}, {306, 423, "typ14 =\n"},
};

}  // namespace

void GameWorld::initBonus(std::int32_t index, std::int32_t x, std::int32_t y, std::int32_t type) {
    if (index < 0 || index >= bonusCount) return;
    error.debugLog("\n init bonus...");
    Bonus& b = bonuses[index];
    b.type = type;
    b.x = x;
    b.y = y;
    b.frameCount = 9;
    b.animFrame = 0;
    b.active = true;
    const bool known = type >= 1 && type <= 14;
    const BonusSheetRow& row = kBonusRows[known ? type : 0];
    error.debugLog(row.log);
    initFrames(b.frames, row.x0, row.y0, 9, 34, known ? 33 : 34, 9);
}

void GameWorld::animateBonuses(std::uint32_t now) {
    if (now - lastBonusTick < 60) return;
    for (std::int32_t i = 0; i < bonusCount; ++i) {
        Bonus& b = bonuses[i];
        b.animFrame += 1;
        if (b.animFrame == b.frameCount) b.animFrame = 0;
    }
    lastBonusTick = now;
}

void GameWorld::clearExpression() {
    std::memset(expressionText, 0, sizeof expressionText);
    parseCursor = 0;
}

void GameWorld::clearHighScores() {
    std::memset(hiScores, 0, sizeof hiScores);
    std::memset(hiNames, 0, sizeof hiNames);
}
