// Fixed bytes: the text shown and the trace line ("błąd \n", space and all) are the game's own.
// Creating, acquiring and releasing the keyboard source.
#include "platform/cp1250.h"
#include "shell/application.h"

// The three steps every failure of the input set-up takes: "Błąd!" on screen, a trace line,
// and the window asked to close.
void Application::reportInputFailure() {
    display.drawText(320, 230, plat::cp1250("Błąd!"));
    error.debugLog(plat::cp1250("błąd \n"));
    close();
}

std::int32_t Application::initInput() {
    directInput = plat::inputCreate();
    if (!directInput) {
        reportInputFailure();
        return kInputFailed;
    }
    return 0;
}

std::int32_t Application::createKeyboard() {
    keyboard = plat::keyboardCreate();
    if (!keyboard) {
        reportInputFailure();
        return kInputFailed;
    }
    return 0;
}

void Application::releaseInput() {
    releaseKeyboard();
    releaseDirectInput();
}

void Application::releaseKeyboard() {
    if (!keyboard) return;
    plat::keyboardUnacquire();
    plat::keyboardRelease();
    keyboard = false;
}

void Application::releaseDirectInput() {
    if (directInput) plat::inputRelease();
    directInput = false;
}
