// A whole game run headless (replay::HeadlessGame) in a fresh temporary folder, which is made
// first, with the game's trace in it, and a script played through it to the end.
#pragma once

#include "game_script.h"
#include "headless_game.h"
#include "lessons/solver.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

using plat::kScanBackspace;
using plat::kScanEnter;
using plat::kScanRight;
using plat::kScanUp;

struct FolderFirst {
    TempDir dir;
};

class TestGame : public FolderFirst, public replay::HeadlessGame {
public:
    explicit TestGame(std::string_view language = "pl")
        : HeadlessGame(ErrorReporter((dir.path() / kTraceFile).string()), language) {}
};

// The generated game data (gfx, level, music) seen from `dir` through links, as the installed
// game sees it.
inline void linkGameData(const TempDir& dir) {
    for (const char* part : {"gfx", "level", "music"})
        std::filesystem::create_directory_symlink(std::filesystem::path(KALKULON_GAME_DIR) / part, dir.path() / part);
}

// Runs the game with the script; every step must have been taken and the game must have ended
// by itself, not by the safety net.
inline int play(TestGame& game, replay::Script& script) {
    // The longest script (a whole game of seven levels) takes under 10 000 polls: the curtains
    // wait without polling. A script that is stuck gives up long before the default net.
    const int code = game.run([&script](Game& app, long poll) { script(app, poll); }, 100'000);
    EXPECT_TRUE(script.finished()) << "stuck waiting for: " << script.waitingFor();
    EXPECT_FALSE(game.timedOut);
    return code;
}

// From the title: a game won with a route for each level (routes[1] to routes[7]), DALEJ after
// each win, the ending, and the name (none typed) saved with Enter. `results[n]` takes the
// result of level n; a level lost leaves the script waiting for its DALEJ.
inline replay::Script& winWithRoutes(replay::Script& script, const std::vector<solver::Route>& routes,
                                     std::array<std::int32_t, 8>& results) {
    using namespace replay;
    script.startGame();
    for (std::size_t n = 1; n <= kLastLevel; ++n) {
        script.followRoute(routes[n].steps);
        script.then("level " + std::to_string(n) + " judged", [&results, n](Game& a) { results[n] = a.world->result; });
        script.click("DALEJ", kBoxButton, kHoverNextWon, showing(Screen::Result));
    }
    return script.then("name entry", showing(Screen::HighScores), [](Game&) {}).keys("Enter", {kScanEnter});
}

// The points of a game won with `routes`: 5 a digit, 15 a sign, 50 a level.
inline std::int32_t pointsOf(const std::vector<solver::Route>& routes) {
    std::int32_t points = 0;
    for (std::size_t n = 1; n <= kLastLevel; ++n) {
        for (char c : routes[n].expression) points += c >= '0' && c <= '9' ? 5 : 15;
        points += 50;
    }
    return points;
}

// Which of the two screen pictures was put on the background surface last, from the trace:
// "title", "hiscore" or "" for neither.
inline std::string lastBackground(const TempDir& dir) {
    const std::string trace = dir.read("debug.txt");
    const auto title = trace.rfind("gfx\\title.bmp");
    const auto hiscore = trace.rfind("gfx\\hiscore.bmp");
    if (title == std::string::npos && hiscore == std::string::npos) return "";
    if (hiscore == std::string::npos || (title != std::string::npos && title > hiscore)) return "title";
    return "hiscore";
}

}  // namespace testing_support
