// The command line: none starts the game as it always was; --pack plays a lesson pack instead
// of the built-in levels, --list-packs lists the installed packs, --help explains them.
#pragma once

#include "screens/lessons.h"
#include "shell/data_folder.h"

#include <string>

// What the command line hands the game: a pack's classroom settings (pack.txt) and title, or,
// with no option, the installed lessons for its chooser.
struct GameSettings {
    bool showFrameRate = true;
    std::string lessonTitle;  // Windows-1250
    LessonShelf lessons;
};

// Handles the options, in the data folder already entered. Returns -1 when the game is to start,
// in the current folder (with no option, `settings` offer the installed lessons); for a pack that folder is then the pack's own
// run folder (its compiled levels, links to the game's pictures and music, its own high-score table), already entered, and
// `settings` are the pack's. Otherwise returns the exit code, having said what was asked for or what is wrong: on standard error
// and, for a pack that cannot be played, in the game's message window too.
int handleOptions(int argc, char** argv, const DataFolder& folder, GameSettings* settings = nullptr);
