// What the benchmarks draw and load: a scratch game folder whose pictures, levels and music are
// the generated game data, and a started headless display with a busy level in its world.
#pragma once

#include "platform/headless.h"
#include "screens/game.h"
#include "world/game_world.h"

#include <filesystem>
#include <memory>

namespace bench {

// The generated game data, found beside the binary's build or named by KALKULON_DATA.
std::filesystem::path gameDataDir();

// A fresh headless machine with the application's window made, the display started, the
// sprite sheets and level 7 (its background and blocks) loaded, and a world for the drawing
// code.
struct Scene {
    Scene();
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // The busiest play frame: every one of the 280 cells a block, 30 tokens in their
    // animation, 19 collected items (the last partly off screen, so not drawn), the figure
    // walking left (a mirrored copy), a four-digit score.
    void fillBusyLevel();

    std::unique_ptr<Game> app;
    GameWorld* world = nullptr;  // the game's own
};

// One frame as the play routine draws it: level and head-up display, then the overlay.
inline void composePauseFrame(Game& app) {
    app.drawLevelAndHud(60);
    app.pauseMenu();
}
inline void composeStoryFrame(Game& app) {
    app.drawLevelAndHud(60);
    app.storyBox();
}

}  // namespace bench
