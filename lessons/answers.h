// The answers of a level: every sum a child can build from its tokens that makes the board's
// number, gathered into facts. A fact is its numbers and its signs, whatever their order: 3+4
// and 4+3 are one fact, and so are 12/2/3 and 12/3/2 or 2*4-6 and 4*2-6; 13-8 and 8-3 are two.
// (An order that moves a "-" or "/" onto another number makes another number, so it is no
// answer at all.) The sums tried are every sequence of the level's tokens that the game's
// collection rules accept, wherever the tokens lie: digits anywhere, a sign only behind a
// digit, at most 19 symbols, ending in a digit with a sign in it. A route can take only some
// of them, so no answer a child can reach is missed.
#pragma once

#include "lessons/level.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lessons {

// Tokens by type: counts[t] tokens of type t (1..9 the digits, then the four signs).
using TokenCounts = std::array<int, kTokenEquals>;

struct Answers {
    std::vector<std::string> sums;  // one sum for each fact, as first built ("13-8")
    bool complete = true;           // false when the search was given up: there may be more
};

// The most steps of the search: a level of many tokens has more answers than can be listed.
inline constexpr long kMostSteps = 3'000'000;

// Stops once more than `mostFacts` facts are found (then `complete` stays true: there are more).
Answers answersOf(const TokenCounts& tokens, std::int32_t target, long mostSteps = kMostSteps, std::size_t mostFacts = SIZE_MAX);
// The level's own tokens and board number; a level without "=" has none.
Answers answersOf(const lvl::Level& level);

// The fact a sum stands for: its numbers and signs, each sorted ("3+4" and "4+3": "3 4|+").
std::string factOf(const std::string& sum);

// A level's tokens counted by type ("=" left out).
TokenCounts countTokens(const std::vector<lvl::Token>& tokens);

}  // namespace lessons
