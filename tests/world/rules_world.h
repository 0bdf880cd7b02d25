// A world for the rules tests: an empty block grid, no tokens, the figure's size set, the
// clocks at 0; its trace goes where `trace` says (nowhere unless told).
#pragma once

#include "world/game_world.h"

#include <memory>
#include <utility>

namespace rules_test {

inline std::unique_ptr<GameWorld> emptyWorld(ErrorReporter trace = {}) {
    auto w = std::make_unique<GameWorld>(std::move(trace));
    for (auto& row : w->blocks)
        for (auto& cell : row) cell = -1;
    w->playerWidth = 43;
    w->playerHeight = 66;
    w->animDelay = 3;
    w->entryRow = -1;
    return w;
}

}  // namespace rules_test
