// The window procedure: destruction, activation, Escape, the keys that choose and press
// buttons, and the left-button click, which move the game between its screens.
#include "shell/application.h"

std::intptr_t Application::windowProc(void* owner, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return static_cast<Application*>(owner)->handleMessage(message, wParam, lParam);
}

std::intptr_t Application::handleMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
    case plat::kMsgDestroy:
        // A window closed in the middle of the name entry keeps the new score and the name
        // typed so far, as Escape does.
        if (world != nullptr && onNameEntry) world->finishNameEntry();
        releaseInput();
        plat::postQuitMessage(0);
        return 0;
    case plat::kMsgActivateApp:
        setActive(wParam);
        return 0;
    case plat::kMsgKeyDown:
        if (wParam == plat::kVkEscape) onEscape();
        else onKey(wParam);
        break;
    case plat::kMsgLButtonUp:
        onClick(plat::clickPoint(lParam));
        break;
    default:
        break;
    }
    return plat::defaultWindowProc(message, wParam, lParam);
}

void Application::showCursor() {
    if (cursorShown) return;
    plat::showCursor(true);
    cursorShown = true;
}

void Application::hideCursor() {
    if (!cursorShown) return;
    plat::showCursor(false);
    cursorShown = false;
}

void Application::onEscape() {
    if (world == nullptr) return;
    if (world->levelRunning) {
        paused = true;
        return;
    }
    if (onNameEntry) {
        world->finishNameEntry();
        world->levelRunning = false;
        world->lives = 0;
        onTitle = true;
        // Leaving the high-score screen also ends it, so a later game left through the pause
        // menu comes back to the title picture.
        onNameEntry = false;
        display.loadTitleBitmap();
        display.wipeOut();
        display.drawBackground();
        display.wipeIn();
    }
}

void Application::onClick(plat::Point at) {
    // The click acts only on the button the last frame showed under the mouse, and only if
    // it is still there: a code left from an earlier box or screen does nothing. The mouse
    // takes the highlight back from the keys, and leaves the keys as they are: Up held back by
    // an earlier key press on a button jumps again.
    keyButton = kHoverNone;
    holdUpBack = false;
    pressButton(buttonUnder(pointerButton, at) ? pointerButton : kHoverNone);
}

void Application::pressButton(std::int32_t code) {
    if (world == nullptr) return;
    GameWorld& w = *world;
    if (onTitle) {
        switch (code) {
        case kHoverNewGame:
            w.levelRunning = true;
            w.lives = 3;
            w.score = 0;
            levelNumber = 0;
            onTitle = false;
            playRoutine();
            break;
        case kHoverHighScores:
            onTitle = false;
            onNameEntry = true;
            display.loadHighScoreBitmap();
            display.wipeOut();
            display.drawBackground();
            display.wipeIn();
            break;
        case kHoverExit:
            closeMusic();
            close();
            break;
        default:
            break;
        }
        return;
    }

    if (onNameEntry) return;  // the high-score screen has no buttons

    const bool resultShown = w.levelOver && w.levelRunning;
    if (showStory && code == kHoverStart) {
        hideCursor();
        showStory = false;
    } else if (resultShown && code == kHoverNextWon) {
        hideCursor();
        w.levelRunning = false;
        w.score += 50;
    } else if (resultShown && code == kHoverNextLost) {
        hideCursor();
        w.levelRunning = false;
        w.lives -= 1;
        levelNumber -= 1;
        w.score = w.levelStartScore;
    } else if (resultShown && code == kHoverGameOver) {
        startNameEntry();
    } else if (paused && code == kHoverResume) {
        paused = false;
    } else if (paused && code == kHoverRestart) {
        if (w.observer != nullptr && w.lives > 0) w.observer->levelRestarted(w.lives - 1);
        if (w.lives > 1) {
            w.levelRunning = false;
            w.lives -= 1;
            levelNumber -= 1;
            w.score = w.levelStartScore;
            paused = false;
        } else if (w.lives == 1) {
            w.levelOver = true;
            w.lives = 0;
            paused = false;
        }
        // With no life left (the game-over box under the menu) there is nothing to restart.
    } else if (paused && code == kHoverQuit) {
        w.levelRunning = false;
        w.lives = 0;
        onTitle = true;
    }
}
