// A whole game run headless (replay::HeadlessGame) in a fresh temporary folder, which is made
// first so that the trace of the new application lands inside it, and a script played through
// it to the end.
#pragma once

#include "game_script.h"
#include "headless_game.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace testing_support {

struct FolderFirst {
    TempDir dir;
};

class TestGame : public FolderFirst, public replay::HeadlessGame {};

// Runs the game with the script; every step must have been taken and the game must have ended
// by itself, not by the safety net.
inline int play(TestGame& game, replay::Script& script) {
    // The longest script (a whole game of seven levels) takes under 10 000 polls: the curtains
    // wait without polling. A script that is stuck gives up long before the default net.
    const int code = game.run([&script](Application& app, long poll) { script(app, poll); }, 100'000);
    EXPECT_TRUE(script.finished()) << "stuck waiting for: " << script.waitingFor();
    EXPECT_FALSE(game.timedOut);
    return code;
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
