// Fixed bytes: the head-up display's labels are the game's own; keep them as they are.
// A whole game: level after level with its own message loop, each frame drawing the level and
// the head-up display and then at most one overlay (pause menu, story, result box); with no
// overlay the arrow keys (and the gamepads) drive the figure.
#include "platform/cp1250.h"
#include "platform/scan_codes.h"
#include "shell/application.h"

void Application::playRoutine() {
    showStory = true;
    paused = false;
    GameWorld& w = *world;
    PlayLocals locals;

    while (w.lives > 0) {
        levelNumber += 1;
        if (levelNumber > kLastLevel) {
            startNameEntry();  // the game is completed: its score goes into the table
        } else {
            startLevel();
        }
        while (w.levelRunning) {
            if (!playFrame(locals)) return;  // the quit message was taken: the program ends
        }
    }

    showCursor();
    if (onNameEntry) display.loadHighScoreBitmap();
    else display.loadTitleBitmap();
}

void Application::startLevel() {
    GameWorld& w = *world;
    w.levelOver = false;
    w.levelRunning = true;
    w.levelStartScore = w.score;
    showNoButtons();  // keys pressed behind the curtains find no button of the screen before
    display.wipeOut();
    loadLevel(levelNumber);
    w.initPlayer();
    w.collectedCount = 0;
    display.drawPlayBackground();
    display.drawBlocks();
    display.drawBonuses();
    display.drawPlayer();
    display.wipeIn();
}

bool Application::playFrame(PlayLocals& locals) {
    plat::Message msg;
    const bool taken = plat::peekMessage(msg);
    if (taken) {
        if (msg.id == plat::kMsgQuit) {
            // Taken here, so the main loop would never see it: it ends with this code instead.
            quitTaken = true;
            quitCode = static_cast<int>(msg.wParam);
            return false;
        }
        plat::dispatchMessage(msg);
    }
    if (window.active == 0) {
        if (!taken) plat::waitForEvent(10);  // nothing moves while another program is in front
        return true;
    }

    now = plat::timeMs();
    drawLevelAndHud(locals.frameRate.frame(now));

    GameWorld& w = *world;
    // A frame without a box shows no button: a click or key in the next frame finds none.
    showNoButtons();
    if (paused) pauseMenu();
    else if (showStory) storyBox();
    else if (!w.levelOver) playInput(locals.keys);
    else resultBox();

    if (display.flip() != 0) close();
    w.animateBonuses(now);
    return true;
}

void Application::drawLevelAndHud(std::uint32_t framesShown) {
    const GameWorld& w = *world;
    display.drawPlayBackground();
    display.drawBlocks();
    display.drawBonuses();
    display.drawCollected();
    display.drawPlayer();
    display.drawText(0, 5, "FPS:");
    display.drawNumber(50, 5, static_cast<std::int32_t>(framesShown));
    display.drawFontNumber(28, 458, w.lives);
    const texts::Point points = texts.place(texts::TextId::HudPoints);
    display.drawFontText(points.x, points.y, texts.text(texts::TextId::HudPoints));
    display.drawFontNumber(573, 465, w.score);
    display.drawNumber(w.targetX, w.targetY, w.target);  // the number on the board
}

void Application::playInput(KeyState& keys) {
    if (!keyboard || useKeyboard == 0) return;
    // A read that fails leaves the keys of the last good read in place.
    switch (plat::keyboardRead(keys.data())) {
    case plat::KeyRead::Ok:
        break;
    case plat::KeyRead::InputLost:
        // Back in the foreground: acquire again and let only this frame go without a step.
        // (Leaving the routine here, as the old game did, skipped a level.)
        if (plat::keyboardAcquire()) return;
        break;  // still lost: the keys of the last good read
    case plat::KeyRead::Failed:
        break;  // the keys of the last good read
    }
    bool up = (keys[plat::kScanUp] & plat::kKeyDown) != 0;
    if (holdUpBack) {
        // Up (or the south button) still held from pressing a box's button does not jump.
        if (up) up = false;
        else holdUpBack = false;
    }
    world->updatePlayer((keys[plat::kScanLeft] & plat::kKeyDown) != 0, (keys[plat::kScanRight] & plat::kKeyDown) != 0, up,
                        (keys[plat::kScanDown] & plat::kKeyDown) != 0, now);
}
