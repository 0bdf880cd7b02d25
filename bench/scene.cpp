#include "bench/scene.h"

#include <cstdio>
#include <cstdlib>

namespace bench {

namespace fs = std::filesystem;

fs::path gameDataDir() {
    if (const char* named = std::getenv("KALKULON_DATA"); named != nullptr && *named != 0) return named;
    return KALKULON_GAME_DIR;
}

Scene::Scene() {
    plat::headless::reset();
    plat::headless::setTimeStep(1);
    app = std::make_unique<Game>(ErrorReporter(kTraceFile));  // in the scratch folder, as the game traces
    Display& d = app->display;
    if (!plat::createWindow("Kalkulon", &Game::windowProc, app.get(), 640, 480) || d.init(640, 480, 16) != ErrorCode::Ok) {
        std::fprintf(stderr, "kalkulon bench: the headless display did not start\n");
        std::exit(2);
    }
    d.applyPixelFormat(d.pixelFormat);
    d.loadSpriteBitmaps();
    app->world = std::make_unique<GameWorld>(app->error);
    world = app->world.get();
    world->initBlockFrames();
    world->lives = 3;
    app->loadLevel(7);
    if (!plat::windowExists()) {  // the loader closes the window on a missing or short file
        std::fprintf(stderr, "kalkulon bench: level 7 did not load\n");
        std::exit(2);
    }
    world->initPlayer();
}

Scene::~Scene() {
    app.reset();
    plat::headless::reset();
}

void Scene::fillBusyLevel() {
    GameWorld& w = *world;
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridColumns; ++c) w.blocks[r][c] = (7 * r + c) % 4;
    w.tokenCount = kMaxTokens;
    for (int i = 0; i < kMaxTokens; ++i) {
        w.initToken(i, 16 + (i % 10) * 62, 40 + (i / 10) * 120, 1 + i % 14);
        w.tokens[i].animFrame = i % 9;
    }
    w.collectedCount = 19;
    for (int i = 0; i < 19; ++i) w.collected[i] = i;
    w.playerX = 300;
    w.playerY = 250;
    w.facingLeft = true;
    w.playerState = kWalking;
    w.animFrame = 3;
    w.score = 1234;
    w.lives = 3;
    plat::headless::setMouse(320, 210);  // over the first pause entry
}

}  // namespace bench
