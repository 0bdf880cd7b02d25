// The facts a practice pack is made of: sums, differences, times tables, division and order of
// operations, each family in seven steps of difficulty; and how hard a fact is, which orders
// the levels of a pack.
#pragma once

#include "lessons/language.h"

#include <cstdint>
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

// How hard a fact is: each sign takes work (+ 1, − 2, × 3, ÷ 4), each number of two digits 1
// more, and a sum that carries over ten or a difference that borrows 2 more; between facts of
// the same work the one with the larger numbers (its result included) is the harder. One
// number: a hundred times the work, plus the largest number (at most 99).
int hardness(const Fact& fact);

// "Dodawanie do 20", "Tabliczka mnożenia: x2, x5".
std::string familyName(Family family, const std::vector<int>& tables);
// "3 × 4 = 12", for the teacher's notes.
std::string shown(const Fact& fact);

}  // namespace lessons
