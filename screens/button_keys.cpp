// The on-screen buttons without a mouse: the arrow keys, Tab and a gamepad move a highlight
// among the buttons on screen, drawn as the mouse's hover is drawn, and Enter, Space or the
// south button press the highlighted one as a click on it would. Moving the mouse hands the
// highlight back to the pointer. A gamepad's Start and east buttons pause the game and resume
// it.
#include "screens/game.h"

std::int32_t Game::showButtons(plat::Point mouse, std::int32_t first, std::int32_t count) {
    firstButtonShown = first;
    buttonsShown = count;
    pointerButton = kHoverNone;
    for (std::int32_t code = first; code < first + count; ++code) {
        if (buttonUnder(code, mouse)) {
            pointerButton = code;
            break;
        }
    }
    const bool mouseMoved = mouse.x != keyButtonMouse.x || mouse.y != keyButtonMouse.y;
    if (mouseMoved || keyButton < first || keyButton >= first + count) keyButton = kHoverNone;
    hoverButton = keyButton != kHoverNone ? keyButton : pointerButton;
    return hoverButton;
}

void Game::showNoButtons() {
    firstButtonShown = kHoverNone;
    buttonsShown = 0;
    pointerButton = kHoverNone;
    hoverButton = kHoverNone;
}

void Game::onKey(std::uintptr_t key) {
    switch (key) {
    case plat::kVkReturn:
    case plat::kVkSpace:
    case plat::kVkGamepadA:
        if (buttonsShown == 0) return;
        if (hoverButton >= firstButtonShown && hoverButton < firstButtonShown + buttonsShown) {
            // Set before the press, which may leave the screen (a game or a change of screen
            // starts in the steps after it).
            holdUpBack = true;
            keyButton = kHoverNone;
            pressButton(hoverButton);
        } else {
            chooseButton(1);  // nothing highlighted: the first press only shows what the next one takes
        }
        break;
    case plat::kVkUp:
    case plat::kVkLeft:
        chooseButton(-1);
        break;
    case plat::kVkDown:
    case plat::kVkRight:
    case plat::kVkTab:
        chooseButton(1);
        break;
    case plat::kVkGamepadMenu:
    case plat::kVkGamepadB:
        onGamepadPause(key);
        break;
    default:
        break;
    }
}

// Moves the highlight `step` buttons on, round the buttons on screen; from none, forwards
// goes to the first and backwards to the last.
void Game::chooseButton(std::int32_t step) {
    if (buttonsShown == 0) return;
    const std::int32_t first = firstButtonShown;
    const std::int32_t count = buttonsShown;
    const bool onScreen = hoverButton >= first && hoverButton < first + count;
    const std::int32_t index = onScreen ? (hoverButton - first + step % count + count) % count : (step > 0 ? 0 : count - 1);
    keyButton = first + index;
    keyButtonMouse = plat::cursorPos();
    hoverButton = keyButton;
}

// Start and the east button close the pause menu and otherwise do what Escape does, except
// that Start during the name entry leaves it to the entry, which takes it as Enter.
void Game::onGamepadPause(std::uintptr_t key) {
    if (world == nullptr) return;
    if (paused && world->levelRunning) {
        paused = false;
        return;
    }
    if (key == plat::kVkGamepadMenu && onNameEntry && world->entryRow >= 0) return;
    onEscape();
}
