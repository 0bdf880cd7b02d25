// Fixed bytes: the frame counter's label and the trace line of a failure are the game's own.
// The frame step. Its states nest as the game's loops once did: the main loop's pass at the
// bottom, a game started from the title over it, a change of screen behind the curtains on
// top. A state started inside another (a game by a click the pass dispatched, a curtain by a
// level's start) runs in the steps that follow; the one below resumes where it stopped once it
// is over. Each step makes the same calls of the platform, in the same order, as the game's
// nested loops made, only cut into pieces: a pass of the main loop, a frame of a level, one look
// at the clock during a curtain.
#include "platform/cp1250.h"
#include "screens/game.h"

#include <memory>
#include <utility>

Game::Game(ErrorReporter trace, std::string_view language) : error(trace), display(std::move(trace)), texts(language) {
    display.useLanguage(texts.language());
}

void Game::begin() {
    cursorShown = true;
    hoverButton = kHoverNone;
    for (CreditLine& line : creditLines) line = {layout::kFrameWidth, -1};  // off to the right
    creditIndex = 0;

    world = std::make_unique<GameWorld>(error);
    world->observer = playObserver;
    if (classRoom != nullptr) world->tableFolder = classRoom->tableFolder();
    world->clearHighScores();
    if (!world->loadHighScores()) world->saveHighScores();
    onNameEntry = false;
    world->entryRow = -1;

    world->allocButtons(places::kTitleButtons);
    for (std::int32_t i = 0; i < places::kTitleButtons; ++i) {
        const FrameRect place = places::titleButton(i);
        world->initButton(i, place.left, place.top, i + 1);
    }
    world->initBlockFrames();

    now = lastTick = plat::timeMs();
}

Next Game::step() {
    if (exitCode_) return {Next::Kind::End, 0, *exitCode_};
    if (change_) return screenChangeStep();
    if (playing_) return playStep();
    return mainPass();
}

Next Game::end(int exitCode) {
    exitCode_ = exitCode;
    return {Next::Kind::End, 0, exitCode};
}

// One pass: at most one message taken and dispatched, then, while the window is active, the
// music faded in a step, the frame counted, the screen that shows drawn, and the flip.
Next Game::mainPass() {
    switch (pass_) {
    case PassPart::Poll: {
        if (quitTaken) return end(quitCode);  // a quit message taken inside a game
        plat::Message msg;
        if (plat::peekMessage(msg)) {
            if (msg.id == plat::kMsgQuit) return end(static_cast<int>(msg.value));
            plat::dispatchMessage(msg);
        }
        messageTaken_ = msg.id;
        if (nested()) {  // the message started a game or a change of screen
            pass_ = PassPart::AfterMessage;
            return {};
        }
    }
        [[fallthrough]];
    case PassPart::AfterMessage:
        pass_ = PassPart::Poll;
        if (quitTaken) return end(quitCode);
        // Nothing changes on screen while inactive: the host naps until the next event.
        if (window.active == 0) return messageTaken_ == 0 ? Next{Next::Kind::Nap, 10, 0} : Next{};

        fadeInMusic();
        now = plat::timeMs();
        mainFrameRate_.frame(now);
        if (onTitle) titleFrame();
        else if (choosingPlayer) whoPlaysFrame();
        else if (onNameEntry) nameEntryFrame(world->entryRow);
        else startPlay();
        if (nested()) {
            pass_ = PassPart::AfterScreen;
            return {};
        }
        [[fallthrough]];
    case PassPart::AfterScreen:
        pass_ = PassPart::Poll;
        if (quitTaken) return end(quitCode);
        if (showFrameRate) {
            display.drawText(0, 5, "FPS:");
            display.drawNumber(50, 5, static_cast<std::int32_t>(mainFrameRate_.shown()));
        }
        if (display.flip() != 0) close();
        return {Next::Kind::Frame, 0, 0};
    }
    return {};
}

void Game::changeScreen(ScreenChange::Middle middle) {
    change_.emplace(ScreenChange{middle, Curtain(display, false, curtainPace)});
}

// One look at the clock of the curtain that runs; between the two curtains, what they hide.
Next Game::screenChangeStep() {
    ScreenChange& change = *change_;
    if (!change.curtain.spin()) return {Next::Kind::Sleep, change.curtain.msToNextCell(), 0};
    if (change.revealing) {
        change_.reset();
        return {};
    }
    if (change.middle == ScreenChange::Middle::Level) drawNewLevel();
    else display.drawBackground();
    change.revealing = true;
    change.curtain = Curtain(display, true, curtainPace);
    return {};
}

void Game::close() { window.close(); }

void Game::setActive(std::uintptr_t flag) { window.active = static_cast<std::int32_t>(flag); }

void Game::reportFailure(const char* traceLine) {
    static constexpr auto kFailed = plat::cp1250("błąd \n");
    const texts::Point failure = texts.place(texts::TextId::Failure);
    display.drawText(failure.x, failure.y, texts.text(texts::TextId::Failure));
    error.debugLog(traceLine != nullptr ? traceLine : kFailed.c_str());
    close();
}
