#include "screens/game_window.h"

int GameWindow::create(plat::WindowProc proc, void* owner, int width, int height) {
    exists = plat::createWindow(className.c_str(), proc, owner, width, height);
    return exists ? 1 : 0;
}

void GameWindow::close() {
    plat::sendClose();
    exists = plat::windowExists();
}
