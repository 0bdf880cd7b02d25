// A level file of any bytes loaded by the game, then the level and its HUD drawn, a few
// movement steps made over it (taking tokens) and the level drawn again: nothing may crash or
// read past what it owns.
#include "fuzz/fuzz_support.h"
#include "platform/headless.h"
#include "screens/game.h"

#include <memory>
#include <sys/stat.h>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_support::enterScratchFolder();
    static Game* app = [] {
        plat::headless::reset();
        mkdir("level", 0755);
        auto* a = new Game;  // no trace: its hundreds of lines per input would dominate the run
        a->window.setClassName("Kalkulon");
        a->window.create(&Game::windowProc, a, 640, 480);
        a->display.init(640, 480, 16);
        a->world = std::make_unique<GameWorld>();
        return a;
    }();
    fuzz_support::writeFile("level/level1.lvl", data, size);
    // A damaged level closes the window; bring it back for the next input.
    if (!plat::windowExists()) app->window.create(&Game::windowProc, app, 640, 480);
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
