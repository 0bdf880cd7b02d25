// Where each on-screen button answers the mouse. The screens that draw the buttons and the
// window procedure that acts on a click ask the same question here.
#include "screens/game.h"

namespace {

constexpr std::int32_t kMenuButtonWidth = layout::kButtonWidth;
constexpr std::int32_t kMenuButtonHeight = layout::kButtonHeight;

// Strict on both sides: the edges themselves are outside.
bool inside(plat::Point p, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    return p.x > left && p.x < right && p.y > top && p.y < bottom;
}

}  // namespace

bool Game::buttonUnder(std::int32_t code, plat::Point at) const {
    switch (code) {
    case kHoverNewGame:
    case kHoverHighScores:
    case kHoverExit: {
        const std::int32_t i = code - kHoverNewGame;
        if (world == nullptr || i >= world->buttonCount) return false;
        const MenuButton& b = world->buttons[i];
        return inside(at, b.x, b.y, b.x + kMenuButtonWidth, b.y + kMenuButtonHeight);
    }
    case kHoverStart:
    case kHoverNextWon:
    case kHoverNextLost:
    case kHoverGameOver:
        return inside(at, 285, 260, 355, 290);  // START, DALEJ and KONIEC share one place
    case kHoverResume:
    case kHoverRestart:
    case kHoverQuit: {
        // Narrower than the drawn entries.
        const std::int32_t top = 195 + 40 * (code - kHoverResume);
        return inside(at, 250, top, 400, top + 30);
    }
    default:
        return false;
    }
}
