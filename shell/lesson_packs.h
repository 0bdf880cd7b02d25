// A lesson pack made ready to play, for the command line (--pack) and the game's lesson chooser
// alike: read, every level proven, and its game folder built (or brought up to date) in the
// player's data folder, where the pack keeps its own high-score table.
#pragma once

#include "lessons/pack.h"

#include <filesystem>
#include <vector>

struct PackGame {
    lvl::Pack pack;
    std::filesystem::path folder;        // its game folder, to be entered
    std::vector<lvl::Problem> problems;  // the mistakes that stop it
    lvl::Text why;                       // what they mean, or what else went wrong
};

// Makes the pack of `choice` ready in `game`; false, with why, when it cannot be played. Nothing
// is entered: the working folder stays as it is. A table that versions before kept in
// `formerRoot`/pack-games is taken over once.
bool preparePack(const lvl::PackChoice& choice, const lvl::Installed& installed, const std::filesystem::path& formerRoot,
                 PackGame& game);
