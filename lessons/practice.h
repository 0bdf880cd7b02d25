// Practice packs: seven levels for a family of facts (sums, differences, times tables,
// division, order of operations), laid out on proven-fair shapes, numbers drawn from a seed,
// each level proven before it is kept, a little harder from level to level.
#pragma once

#include "lessons/language.h"
#include "lessons/level_text.h"
#include "lessons/proof.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lessons {

enum class Family { Add10, Add20, Sub20, Times, Divide, Order };

struct FactSpec {
    std::vector<Family> families;  // in the order given
    std::vector<int> tables;       // the times tables asked for (2..10), in order
};

// "add10", "add20", "sub20", "div", "order", "2" .. "10", several joined by commas ("2,5,10").
bool parseFacts(const std::string& spec, FactSpec& out, lvl::Text& error);

// One fact: the tokens of its sum in order ("3*4", "12+5", "4*2*5") and the board's number.
struct Fact {
    std::string sum;
    std::int32_t value = 0;
    std::string shown;  // for the teacher, when the tokens say it otherwise ("3 × 10 = 30")
};

// The facts of a family at a difficulty of 0 (easiest) to 6; `table` for the times tables.
std::vector<Fact> factsOf(Family family, int table, int difficulty);

// A level shape: grid, start, background, and the places for tokens, left to right.
struct Shape {
    const char* name;
    const char* rows[14];
    double startColumn, startRow;
    std::vector<std::pair<double, double>> slots;  // column, row
    std::pair<double, double> equals;
};
const std::vector<Shape>& shapes();

struct PracticePack {
    std::string title;
    std::vector<std::string> notes;
    std::vector<lvl::LevelSource> levels;
    std::vector<solver::Proof> proofs;
};

// The same spec and seed always give the same pack.
bool makePracticePack(const FactSpec& spec, std::uint64_t seed, const std::vector<lvl::Scenery>& installed, PracticePack& pack,
                      lvl::Text& error);

// pack.txt and level1.txt .. level7.txt in `folder` (made when missing).
bool writePack(const PracticePack& pack, const std::filesystem::path& folder, lvl::Text& error);

}  // namespace lessons
