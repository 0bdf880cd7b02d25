// Creating, acquiring and releasing the keyboard source.
#include "screens/game.h"

std::int32_t Game::initInput() {
    inputObject = plat::inputCreate();
    if (!inputObject) {
        reportFailure();
        return kInputFailed;
    }
    return 0;
}

std::int32_t Game::createKeyboard() {
    keyboard = plat::keyboardCreate();
    if (!keyboard) {
        reportFailure();
        return kInputFailed;
    }
    return 0;
}

void Game::releaseInput() {
    releaseKeyboard();
    releaseInputObject();
}

void Game::releaseKeyboard() {
    if (!keyboard) return;
    plat::keyboardUnacquire();
    plat::keyboardRelease();
    keyboard = false;
}

void Game::releaseInputObject() {
    if (inputObject) plat::inputRelease();
    inputObject = false;
}
