// Fixed bytes: the window's name and the trace line of a failure are the game's own.
#include "shell/application.h"

#include "platform/cp1250.h"

// The window first, then the display, which starts the trace.
Application::Application(std::string_view language) : texts(language) { display.useLanguage(texts.language()); }

int Application::run() {
    window.setClassName("Kalkulon");
    onTitle = true;
    if (window.create(&Application::windowProc, this, layout::kFrameWidth, layout::kFrameHeight) == 0) return 1;

    const ErrorCode code = display.init(layout::kFrameWidth, layout::kFrameHeight, layout::kFrameBits);
    const bool displayUp = code == ErrorCode::Ok;
    if (!displayUp) {
        error.showMessage(code);
        close();
    }
    display.applyPixelFormat(display.pixelFormat);
    startMusic();

    // Nothing draws to, flips or loads pictures onto a display that did not start.
    if (displayUp) {
        const texts::Point loading = texts.place(texts::TextId::Loading);
        display.drawText(loading.x, loading.y, texts.text(texts::TextId::Loading));
        if (display.flip() != 0) close();
        display.loadSpriteBitmaps();
        display.loadTitleBitmap();
    }

    useKeyboard = 1;
    // A failed step has reported itself already; start-up reports it once more.
    if (initInput() < 0) reportFailure();
    else if (createKeyboard() < 0) reportFailure();
    if (keyboard) plat::keyboardAcquire();
    return mainLoop();
}

void Application::reportFailure(const char* traceLine) {
    static constexpr auto kFailed = plat::cp1250("błąd \n");
    const texts::Point failure = texts.place(texts::TextId::Failure);
    display.drawText(failure.x, failure.y, texts.text(texts::TextId::Failure));
    error.debugLog(traceLine != nullptr ? traceLine : kFailed.c_str());
    close();
}

void Application::close() { window.close(); }

void Application::setActive(std::uintptr_t flag) { window.active = static_cast<std::int32_t>(flag); }
