// Finds a winning key sequence for a level with the game's own movement and collection code:
// a best-first search over 10 ms steps with the arrow keys (none, left, right, up, and up
// with a side), over the figure's position, jump counter, state and facing, and the sequence
// of tokens taken so far. Sequences that can no longer be finished into the board's number
// with the tokens still lying in the level are dropped early.
#pragma once

#include "lessons/level.h"
#include "world/game_world.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace solver {

enum Key : std::uint8_t { kNone = 0, kLeft = 1, kRight = 2, kUp = 4 };

struct Route {
    bool found = false;
    std::vector<std::uint8_t> steps;  // keys held in each 10 ms step, Key bits
    std::string expression;           // the sequence that was evaluated
    std::int32_t result = 0;
    long states = 0;  // states visited by the search
};

// Puts the level into a world the way the game starts a level: tokens through initToken,
// then initPlayer, nothing collected.
void loadIntoWorld(const lvl::Level& level, GameWorld& world);

Route solve(const lvl::Level& level, long maxStates = 30'000'000);

// The value the game gives a collected text ("12+3*4"), through its own evaluator; `exact` is
// cleared when a division leaves a remainder. False when the text is no sum (numbers of digits
// joined by signs).
bool evaluate(const std::string& text, std::int32_t& value, bool* exact = nullptr);

// Whether some sequence of the level's tokens, taken as the game takes them, makes the board's
// number before "=" is touched (wherever the tokens lie). A level of so many tokens that the
// question costs too much counts as one where it may.
bool boardCanBeMade(const lvl::Level& level);

// "R x12, RU x34, - x5": runs of the same keys.
std::string describe(const std::vector<std::uint8_t>& steps);

// The symbols of a collected sequence ("12+3").
std::string sequenceText(const lvl::Level& level, const std::vector<int>& collected);

}  // namespace solver
