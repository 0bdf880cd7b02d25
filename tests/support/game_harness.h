// Runs the whole game headless inside a fresh temporary folder: a new Application, the
// headless machine reset, and a script that sees the game between passes of its loops (every
// poll of the message queue) and plays it the way a player would: clicks at frame positions,
// Escape, held keys, focus, the clock.
#pragma once

#include "platform/headless.h"
#include "shell/application.h"
#include "support/temp_dir.h"

#include <functional>
#include <memory>

namespace testing_support {

class GameHarness {
public:
    // The clock starts where a machine that has been up for a while would be.
    static constexpr std::uint32_t kStartTime = 1'000'000;

    GameHarness() {
        plat::headless::reset();
        plat::headless::setTimeStep(1);
        plat::headless::setTime(kStartTime);
        app = std::make_unique<Application>();
    }
    ~GameHarness() {
        plat::headless::setPollHook(nullptr);
        // The game never frees the world its main loop made (it lives until the process ends);
        // here the game's "process" ends, so the leak checker of the sanitizer build sees none.
        if (app && app->world) {
            if (currentWorld == app->world) currentWorld = nullptr;
            delete app->world;
            app->world = nullptr;
        }
        app.reset();
        plat::headless::reset();
    }
    GameHarness(const GameHarness&) = delete;
    GameHarness& operator=(const GameHarness&) = delete;

    // Runs the game to its end. `script` is called on every poll with the poll's number; after
    // `maxPolls` polls the window is closed as a safety net (and `timedOut` is set), so a test
    // that goes wrong fails instead of hanging.
    int run(std::function<void(Application&, long poll)> script, long maxPolls = 2'000'000) {
        long polls = 0;
        plat::headless::setPollHook([&, script] {
            ++polls;
            if (polls == maxPolls) {
                timedOut = true;
                plat::headless::postSystemClose();
            }
            if (polls < maxPolls && script) script(*app, polls);
        });
        const int code = app->run();
        plat::headless::setPollHook(nullptr);
        return code;
    }

    TempDir dir;  // made first, so the trace of the new application lands inside it
    std::unique_ptr<Application> app;
    bool timedOut = false;
};

}  // namespace testing_support
