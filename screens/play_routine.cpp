// Fixed bytes: the frame counter's label is the game's own; keep it as it is.
// A whole game as a state of the step: level after level, each started behind the curtains
// and then played a frame a step, each frame drawing the level and the head-up display and
// then at most one overlay (pause menu, story, result box); with no overlay the arrow keys (and
// the gamepads) drive the figure.
#include "platform/scan_codes.h"
#include "screens/game.h"

void Game::startNewGame() {
    world->levelRunning = true;
    world->lives = 3;
    world->score = 0;
    levelNumber = 0;
    onTitle = false;
    startPlay();
}

void Game::startPlay() {
    playing_ = true;
    play_ = PlayPart::Start;
}

Next Game::playStep() {
    GameWorld& w = *world;
    switch (play_) {
    case PlayPart::Start:
        showStory = true;
        paused = false;
        playFrameRate_ = FrameRate();
        keys_ = {};
        [[fallthrough]];
    case PlayPart::NextLevel:
        if (w.lives <= 0) {  // the game is over
            playing_ = false;
            if (w.observer != nullptr) w.observer->gameEnded(gameEndOf(levelNumber > kLastLevel, onNameEntry), w.score);
            showCursor();
            if (onNameEntry) display.loadHighScoreBitmap();
            else display.loadTitleBitmap();
            return {};
        }
        levelNumber += 1;
        play_ = PlayPart::Frames;
        if (levelNumber > kLastLevel) {
            startNameEntry();  // the game is completed: its score goes into the table
        } else {
            startLevel();
            return {};
        }
        [[fallthrough]];
    case PlayPart::Frames:
        if (!w.levelRunning) {
            play_ = PlayPart::NextLevel;
            return {};
        }
        return playFrame();
    }
    return {};
}

void Game::startLevel() {
    GameWorld& w = *world;
    w.levelOver = false;
    w.levelRunning = true;
    w.levelStartScore = w.score;
    showNoButtons();  // keys pressed behind the curtains find no button of the screen before
    changeScreen(ScreenChange::Middle::Level);
}

// Behind the curtain: the level read and drawn, the figure placed.
void Game::drawNewLevel() {
    GameWorld& w = *world;
    loadLevel(levelNumber);
    w.initPlayer();
    w.collectedCount = 0;
    display.drawPlayBackground();
    display.drawBlocks(w);
    display.drawTokens(w);
    display.drawPlayer(w);
    if (w.observer != nullptr) w.observer->levelStarted(levelNumber, w.lives, w.score);
}

Next Game::playFrame() {
    plat::Message msg;
    const bool taken = plat::peekMessage(msg);
    if (taken) {
        if (msg.id == plat::kMsgQuit) {
            // Taken here, so the main loop would never see it: it ends with this code instead.
            quitTaken = true;
            quitCode = static_cast<int>(msg.value);
            playing_ = false;
            return {};
        }
        // No button of a running level starts a game or a change of screen.
        plat::dispatchMessage(msg);
    }
    // Nothing moves while another program is in front.
    if (window.active == 0) return taken ? Next{} : Next{Next::Kind::Nap, 10, 0};

    now = plat::timeMs();
    drawLevelAndHud(playFrameRate_.frame(now));

    GameWorld& w = *world;
    // A frame without a box shows no button: a click or key in the next frame finds none.
    showNoButtons();
    if (paused) pauseMenu();
    else if (showStory) storyBox();
    else if (!w.levelOver) playInput();
    else resultBox();

    if (display.flip() != 0) close();
    w.animateTokens(now);
    return {Next::Kind::Frame, 0, 0};
}

void Game::drawLevelAndHud(std::uint32_t framesShown) {
    const GameWorld& w = *world;
    display.drawPlayBackground();
    display.drawBlocks(w);
    display.drawTokens(w);
    display.drawCollected(w);
    display.drawPlayer(w);
    if (showFrameRate) {
        display.drawText(0, 5, "FPS:");
        display.drawNumber(50, 5, static_cast<std::int32_t>(framesShown));
    }
    // A lesson's title on the frame counter's line, at the right, above the play.
    if (!lessonTitle.empty())
        display.drawText(places::kLessonTitleRight - display.textWidth(lessonTitle.c_str()), 5, lessonTitle.c_str());
    display.drawFontNumber(28, 458, w.lives);
    const texts::Point points = texts.place(texts::TextId::HudPoints);
    display.drawFontText(points.x, points.y, texts.text(texts::TextId::HudPoints));
    display.drawFontNumber(573, 465, w.score);
    display.drawNumber(w.targetX, w.targetY, w.target);  // the number on the board
}

void Game::playInput() {
    if (!keyboard || useKeyboard == 0) return;
    // A read that fails leaves the keys of the last good read in place.
    switch (plat::keyboardRead(keys_.data())) {
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
    bool up = (keys_[plat::kScanUp] & plat::kKeyDown) != 0;
    if (holdUpBack) {
        // Up (or the south button) still held from pressing a box's button does not jump.
        if (up) up = false;
        else holdUpBack = false;
    }
    world->updatePlayer((keys_[plat::kScanLeft] & plat::kKeyDown) != 0, (keys_[plat::kScanRight] & plat::kKeyDown) != 0, up,
                        (keys_[plat::kScanDown] & plat::kKeyDown) != 0, now);
}
