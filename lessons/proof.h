// The proof a level must pass before it is played: every token the level holds can be reached
// from the start, there is no trap (traps.h), and a route makes the board's number. Mistakes
// are named with the line of the level source they concern.
#pragma once

#include "lessons/language.h"
#include "lessons/level_text.h"

#include <cstdint>
#include <string>
#include <vector>

namespace solver {

struct Proof {
    bool fair = false;      // no mistake found
    std::string sum;        // the winning sum ("5+3+4") when one was found
    std::size_t steps = 0;  // its route in 10 ms steps
    int climb = 0;          // how many cells above the start the route stands at its highest
    long places = 0;        // states the trap finder explored
};

// The largest search for a winning route; a level that needs more is too hard to be sure of.
inline constexpr long kMostRouteStates = 1'000'000;

// The cells above its start that the figure stands at its highest on a route of `steps`.
int climbOf(const lvl::Level& level, const std::vector<std::uint8_t>& steps);

Proof proveLevel(const lvl::LevelSource& source, const std::string& file, std::vector<lvl::Problem>& problems,
                 long routeStates = kMostRouteStates);

}  // namespace solver
