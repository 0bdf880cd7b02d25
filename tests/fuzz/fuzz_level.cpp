// A level file of any bytes loaded by the game, then the level and its HUD drawn, a few
// movement steps made over it (taking tokens) and the level drawn again: nothing may crash or
// read past what it owns.
#include "fuzz/fuzz_support.h"
#include "platform/headless.h"
#include "shell/application.h"

#include <sys/stat.h>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_support::enterScratchFolder();
    static Application* app = [] {
        plat::headless::reset();
        mkdir("level", 0755);
        // The trace opens and closes its file for every line; a folder in its place keeps
        // the loader's hundreds of lines per input from dominating the run.
        mkdir("debug.txt", 0755);
        auto* a = new Application;
        a->window.setClassName("Kalkulon");
        a->window.create(&Application::windowProc, a, 640, 480);
        a->display.init(640, 480, 16);
        a->world = new GameWorld;
        currentWorld = a->world;
        return a;
    }();
    fuzz_support::writeFile("level/level1.lvl", data, size);
    // A damaged level closes the window; bring it back for the next input.
    if (!plat::windowExists()) app->window.create(&Application::windowProc, app, 640, 480);
    app->loadLevel(1);
    plat::Message drained;
    while (plat::peekMessage(drained)) {
    }
    GameWorld& w = *app->world;
    w.initPlayer();
    w.collectedCount = 0;
    w.levelOver = false;
    w.score = 0;
    app->drawLevelAndHud(0);
    for (std::uint32_t t = 0; t < 40; ++t) {
        w.updatePlayer(t & 1, t & 2, t & 4, false, 100000 + 10 * t);
        w.animateTokens(100000 + 60 * t);
    }
    app->drawLevelAndHud(40);
    return 0;
}
