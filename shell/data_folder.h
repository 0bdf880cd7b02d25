// The folder the game runs in. The game reads its pictures, levels and music relative to its
// working folder and writes its trace and high-score table there. A built copy started by its
// path from another folder (build/game/kalkulon from the repository's root) moves to the
// folder of its own executable when the data lies there, so that it neither plays without
// pictures nor leaves a trace and a table where it was started.
#pragma once

#include <filesystem>
#include <string>

struct DataFolder {
    std::filesystem::path started;  // where the player started the game (the launcher's folder when installed)
    bool found = false;             // the working folder, entered, holds gfx/, level/ and music/
    std::string notFound;           // when not found: "no game data: " where it was looked for, and what to do
};

// True when `folder` holds the game's data: gfx/, level/ and music/, as folders or links to them.
bool holdsGameData(const std::filesystem::path& folder);

// Stays in the working folder when it holds the data; otherwise enters the folder of
// `executable` when that one does.
DataFolder enterDataFolder(const std::filesystem::path& executable);

// The path of the running program (/proc/self/exe), else `argv0`.
std::filesystem::path runningExecutable(const char* argv0);
