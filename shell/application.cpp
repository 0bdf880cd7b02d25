// Fixed bytes: the window's name, the loading text and "Błąd!" with its trace line are the game's own.
#include "shell/application.h"

#include "platform/cp1250.h"

Application::Application() = default;  // window first, then the display, which starts the trace

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
        display.drawText(260, 230, plat::cp1250("Wczytuję..."));
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
    display.drawText(320, 230, plat::cp1250("Błąd!"));
    error.debugLog(traceLine != nullptr ? traceLine : kFailed.c_str());
    close();
}

void Application::close() { window.close(); }

void Application::setActive(std::uintptr_t flag) { window.active = static_cast<std::int32_t>(flag); }
