// Where each on-screen button answers the mouse, from the table of places. The screens that
// draw the buttons and the window procedure that acts on a click ask the same question here.
#include "screens/game.h"

bool Game::buttonUnder(std::int32_t code, plat::Point at) const {
    const bool titleButton = code >= kHoverNewGame && code < kHoverNewGame + places::kTitleButtons;
    // The title's buttons are there only once the world has made them.
    if (titleButton && (world == nullptr || code - kHoverNewGame >= world->buttonCount)) return false;
    return places::inside(places::of(code).answers, at);
}
