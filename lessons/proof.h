// The proof a level must pass before it is played: every token the level holds can be reached
// from the start, there is no trap (traps.h), and a route makes the board's number. Mistakes
// are named with the line of the level source they concern.
#pragma once

#include "lessons/language.h"
#include "lessons/level_text.h"

#include <string>
#include <vector>

namespace solver {

struct Proof {
    bool fair = false;      // no mistake found
    std::string sum;        // the winning sum ("5+3+4") when one was found
    std::size_t steps = 0;  // its route in 10 ms steps
    long places = 0;        // states the trap finder explored
};

// The largest search for a winning route; a level that needs more is too hard to be sure of.
inline constexpr long kMostRouteStates = 1'000'000;

Proof proveLevel(const lvl::LevelSource& source, const std::string& file, std::vector<lvl::Problem>& problems,
                 long routeStates = kMostRouteStates);

}  // namespace solver
