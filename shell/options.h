// The command line: none starts the game as it always was; --pack plays a lesson pack instead
// of the built-in levels, --list-packs lists the installed packs, --help explains them, and
// --language (with any of them) chooses the language in place of the desktop's.
#pragma once

#include "shell/data_folder.h"

#include <string>

// Handles the options, in the data folder already entered. Returns -1 when the game is to start,
// in the current folder; for a pack that folder is then the pack's own run folder (its compiled
// levels, links to the game's pictures and music, its own high-score table), already entered.
// Otherwise returns the exit code, having said what was asked for or what is wrong. `language`
// gets the language to play and speak in: the one given with --language, else the desktop's
// where the game has it, else Polish.
int handleOptions(int argc, char** argv, const DataFolder& dataFolder, std::string& language);
