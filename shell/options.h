// The command line: none starts the game as it always was; --pack plays a lesson pack instead
// of the built-in levels, --class names the class folder the records go to, --list-packs lists
// the installed packs, --help explains them, and --language (with any of them) chooses the
// language in place of the teacher's setting or the desktop's.
#pragma once

#include "screens/lessons.h"
#include "shell/data_folder.h"

#include <filesystem>
#include <string>

// What the command line hands the game: the class folder, and a pack's title and classroom
// settings (pack.txt), or, with no pack, the installed lessons for its chooser.
struct StartOptions {
    std::filesystem::path classFolder;  // --class, made absolute; empty when not given
    std::string packTitle;              // the lesson pack's title (UTF-8); empty for the game's own levels
    bool showFrameRate = true;
    LessonShelf lessons;
    // The language to play and speak in: --language, else the teacher's setting, else the
    // desktop's where the game has it, else Polish.
    std::string language;
};

// Handles the options, in the data folder already entered. Returns -1 when the game is to start,
// in the current folder (with no pack, `start` offers the installed lessons); for a pack that
// folder is then the pack's own run folder (its compiled levels, links to the game's pictures and
// music, its own high-score table), already entered, and `start` has the pack's settings.
// Otherwise returns the exit code, having said what was asked for or what is wrong: on standard
// error and, for a pack that cannot be played, in the game's message window too.
int handleOptions(int argc, char** argv, const DataFolder& folder, StartOptions& start);
