// Creating, acquiring and releasing the keyboard source.
#include "shell/application.h"

std::int32_t Application::initInput() {
    directInput = plat::inputCreate();
    if (!directInput) {
        reportFailure();
        return kInputFailed;
    }
    return 0;
}

std::int32_t Application::createKeyboard() {
    keyboard = plat::keyboardCreate();
    if (!keyboard) {
        reportFailure();
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
