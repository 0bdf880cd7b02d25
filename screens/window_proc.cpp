// The window procedure: destruction, activation, Escape, the keys that choose and press
// buttons, and the left-button click, which move the game between its screens. What a button
// starts (a game, a change of screen behind the curtains) runs in the steps that follow.
#include "screens/game.h"

std::intptr_t Game::windowProc(void* owner, std::uint32_t message, std::uintptr_t value, std::intptr_t where) {
    return static_cast<Game*>(owner)->handleMessage(message, value, where);
}

std::intptr_t Game::handleMessage(std::uint32_t message, std::uintptr_t value, std::intptr_t where) {
    switch (message) {
    case plat::kMsgDestroy:
        // A window closed in the middle of the name entry keeps the new score and the name
        // typed so far, as Escape does; names a failed save left are tried once more.
        if (world != nullptr) world->finishNameEntry();
        releaseInput();
        plat::postQuitMessage(0);
        return 0;
    case plat::kMsgActivateApp:
        setActive(value);
        return 0;
    case plat::kMsgKeyDown:
        if (value == plat::kVkEscape) onEscape();
        else onKey(value);
        break;
    case plat::kMsgLButtonUp:
        onClick(plat::clickPoint(where));
        break;
    default:
        break;
    }
    return plat::defaultWindowProc(message, value, where);
}

void Game::showCursor() {
    if (cursorShown) return;
    plat::showCursor(true);
    cursorShown = true;
}

void Game::hideCursor() {
    if (!cursorShown) return;
    plat::showCursor(false);
    cursorShown = false;
}

void Game::onEscape() {
    if (world == nullptr) return;
    if (choosingPlayer) {
        leaveWhoPlays();
        return;
    }
    if (onTitle && choosingLesson) {  // the box of why, else the list, closes
        if (refusal.heading) refusal = {};
        else choosingLesson = false;
        return;
    }
    if (world->levelRunning) {
        paused = true;
        return;
    }
    if (onNameEntry) {
        // A name that could not be saved keeps the table on screen, where a box says so; the
        // next Escape leaves.
        const bool typing = world->entryRow >= 0;
        if (!world->finishNameEntry() && typing) return;
        world->levelRunning = false;
        world->lives = 0;
        onTitle = true;
        // Leaving the high-score screen also ends it, so a later game left through the pause
        // menu comes back to the title picture.
        onNameEntry = false;
        display.loadTitleBitmap();
        changeScreen(ScreenChange::Middle::Background);
    }
}

void Game::onClick(plat::Point at) {
    // The click acts only on the button the last frame showed under the mouse, and only if
    // it is still there: a code left from an earlier box or screen does nothing. The mouse
    // takes the highlight back from the keys, and leaves the keys as they are: Up held back by
    // an earlier key press on a button jumps again.
    keyButton = kHoverNone;
    holdUpBack = false;
    pressButton(buttonUnder(pointerButton, at) ? pointerButton : kHoverNone);
}

void Game::pressTitleButton(std::int32_t code) {
    switch (code) {
    case kHoverNewGame:
        if (!askWhoPlays()) chooseLessonOrPlay();
        break;
    case kHoverHighScores:
        onTitle = false;
        onNameEntry = true;
        display.loadHighScoreBitmap();
        changeScreen(ScreenChange::Middle::Background);
        break;
    case kHoverExit:
        closeMusic();
        close();
        break;
    default:
        break;
    }
}

void Game::chooseLessonOrPlay() {
    if (lessons.lessons.empty()) startNewGame();
    else openLessons();
}

void Game::pressButton(std::int32_t code) {
    if (world == nullptr) return;
    if (onTitle && choosingLesson) {
        pressLessonButton(code);
        return;
    }
    if (onTitle) {
        pressTitleButton(code);
        return;
    }
    if (choosingPlayer) {
        pressWhoPlaysButton(code);
        return;
    }
    if (onNameEntry) return;  // the high-score screen has no buttons

    GameWorld& w = *world;

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
