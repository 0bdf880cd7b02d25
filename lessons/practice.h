// Practice packs: seven levels for a family of facts (sums, differences, times tables,
// division, order of operations), each with one answer (answers.h), laid out on the layouts of
// its place in the pack (layouts.h), numbers drawn from a seed, each level proven before it is
// kept, the facts harder (facts.h) and the climb higher from level to level.
#pragma once

#include "lessons/facts.h"
#include "lessons/language.h"
#include "lessons/layouts.h"
#include "lessons/level_text.h"
#include "lessons/pack.h"
#include "lessons/proof.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lessons {

struct PracticePack {
    std::string title;
    std::vector<std::string> notes;
    lvl::PackSettings settings{false, true};  // for a class: no frame counter, plain backgrounds
    std::vector<lvl::LevelSource> levels;
    std::vector<solver::Proof> proofs;
    std::vector<Fact> facts;  // the fact of each level
};

// The same spec and seed always give the same pack.
bool makePracticePack(const FactSpec& spec, std::uint64_t seed, const std::vector<lvl::Scenery>& installed, PracticePack& pack,
                      lvl::Text& error);

// pack.txt (the title, the notes and the settings) and level1.txt .. level7.txt in `folder`
// (made when missing).
bool writePack(const PracticePack& pack, const std::filesystem::path& folder, lvl::Text& error);

}  // namespace lessons
