#include "screens/game_window.h"

int GameWindow::create(plat::WindowProc proc, void* owner, int width, int height) {
    windowHandle = plat::createWindow(className.c_str(), proc, owner, width, height);
    return windowHandle ? 1 : 0;
}

void GameWindow::close() {
    plat::sendClose();
    windowHandle = plat::windowExists();
}
