// Fixed bytes: the frame counter's label is the game's own; keep it as it is.
#include "shell/application.h"
#include "shell/frame_rate.h"

int Application::mainLoop() {
    cursorShown = true;
    hoverButton = kHoverNone;
    for (CreditLine& line : creditLines) line = {layout::kFrameWidth, -1};  // off to the right
    creditIndex = 0;

    world = new GameWorld;  // lives until the process ends
    currentWorld = world;

    world->clearHighScores();
    if (!world->loadHighScores()) world->saveHighScores();
    onNameEntry = false;
    world->entryRow = -1;

    world->allocButtons(3);
    for (int i = 0; i < 3; ++i) world->initButton(i, 278, 150 + 70 * i, i + 1);
    world->initBlockFrames();

    now = lastTick = plat::timeMs();

    FrameRate frameRate;

    for (;;) {
        plat::Message msg;
        if (quitTaken) return quitCode;  // a quit message taken inside a game
        if (plat::peekMessage(msg)) {
            if (msg.id == plat::kMsgQuit) return static_cast<int>(msg.wParam);
            plat::dispatchMessage(msg);
            if (quitTaken) return quitCode;
        }
        if (window.active == 0) {
            // Nothing changes on screen while inactive: nap until the next event instead of
            // spinning a core.
            if (msg.id == 0) plat::waitForEvent(10);
            continue;
        }

        fadeInMusic();

        now = plat::timeMs();
        frameRate.frame(now);

        if (onTitle) titleFrame();
        else if (onNameEntry) nameEntryFrame(world->entryRow);
        else playRoutine();
        if (quitTaken) return quitCode;

        if (showFrameRate) {
            display.drawText(0, 5, "FPS:");
            display.drawNumber(50, 5, static_cast<std::int32_t>(frameRate.shown()));
        }
        if (display.flip() != 0) close();
    }
}
