// A whole game played headless with a winning route for each level: new game, START, every
// level played step by step with its route, DALEJ after each win, the ending, and the
// high-score screen. The harness's folder must hold (or link to) the game's data.
#pragma once

#include "platform/headless.h"
#include "platform/scan_codes.h"
#include "shell/application.h"
#include "solver.h"
#include "support/game_harness.h"

#include <array>
#include <cstdint>
#include <vector>

namespace testing_support {

struct RouteGame {
    int exitCode = 0;
    bool ended = false;               // the high-score screen was reached
    std::array<bool, 8> won{};        // levels 1..7
    std::array<std::int32_t, 8> results{};
    std::int32_t expectedScore = 0;   // 5 a digit, 15 a sign, 50 a level
};

// `routes[n]` wins level n (1..7). With `saveName`, Enter saves the (empty) name in the
// table before the window is closed.
inline RouteGame playWithRoutes(GameHarness& game, const std::vector<solver::Route>& routes, bool saveName = false) {
    namespace hl = plat::headless;
    RouteGame out;
    int level = 0;          // level being played with its route
    std::size_t step = 0;   // next step of its route
    std::uint32_t lastTick = 0;
    out.exitCode = game.run([&](Application& app, long) {
        GameWorld* w = app.world;
        if (w == nullptr) return;
        if (app.onTitle) {
            hl::setMouse(328, 168);
            if (app.hoverButton == kHoverNewGame) hl::postClick(328, 168);
            return;
        }
        if (app.onNameEntry && !w->levelRunning) {
            const bool saved = !saveName || w->entryRow < 0;
            hl::setKey(plat::kScanEnter, !saved);
            if (saved && !out.ended) {
                out.ended = true;
                hl::postSystemClose();
            }
            return;
        }
        if (!w->levelRunning || app.paused) return;
        if (app.showStory) {
            hl::setMouse(320, 278);
            if (app.hoverButton == kHoverStart) hl::postClick(320, 278);
            return;
        }
        if (w->levelOver) {
            hl::releaseAllKeys();
            const int n = app.levelNumber;
            if (n >= 1 && n <= 7 && !out.won[static_cast<std::size_t>(n)]) {
                out.results[static_cast<std::size_t>(n)] = w->result;
                out.won[static_cast<std::size_t>(n)] = w->result == w->target;
            }
            hl::setMouse(320, 278);
            if (app.hoverButton == kHoverNextWon) hl::postClick(320, 278);
            else if (app.hoverButton == kHoverNextLost || app.hoverButton == kHoverGameOver) hl::postSystemClose();
            return;
        }
        // Playing: one route step a frame.
        if (app.levelNumber != level) {
            level = app.levelNumber;
            step = 0;
            lastTick = w->lastStepTick;
            for (char c : routes[static_cast<std::size_t>(level)].expression) out.expectedScore += (c >= '0' && c <= '9') ? 5 : 15;
            out.expectedScore += 50;
        } else if (w->lastStepTick != lastTick) {
            lastTick = w->lastStepTick;
            ++step;
        }
        const auto& steps = routes[static_cast<std::size_t>(level)].steps;
        const std::uint8_t keys = step < steps.size() ? steps[step] : 0;
        hl::setKey(plat::kScanLeft, keys & solver::kLeft);
        hl::setKey(plat::kScanRight, keys & solver::kRight);
        hl::setKey(plat::kScanUp, keys & solver::kUp);
        hl::advance(10);
    }, 3'000'000);
    return out;
}

}  // namespace testing_support
