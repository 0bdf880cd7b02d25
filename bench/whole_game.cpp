// A whole game played headless, start to exit, for measuring the peak memory of a run
// (/usr/bin/time -v): the game the tests keep as their golden record
// (tests/golden/whole_game/recording.txt, or the recording named on the command line) played
// back on the generated data: the title, the story, seven levels with their real backgrounds and
// block sheets, pauses, a lost level, the ending, a name typed into the high-score table, the
// table shown again from the title, and the exit button.
#include "bench/scene.h"
#include "game_folder.h"
#include "headless_game.h"
#include "recording.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    namespace hl = plat::headless;
    const std::string path = argc > 1 ? argv[1] : KALKULON_SOURCE_DIR "/tests/golden/whole_game/recording.txt";
    replay::Inputs inputs;
    std::string error;
    if (!replay::readInputsFile(path, inputs, error)) {
        std::fprintf(stderr, "whole game: %s\n", error.c_str());
        return 2;
    }

    const replay::GameFolder folder(bench::gameDataDir());
    if (!folder.ok()) {
        std::fprintf(stderr, "kalkulon bench: no game data in %s (build the game_data target)\n", bench::gameDataDir().c_str());
        return 2;
    }
    replay::HeadlessGame game;
    const int code = game.replay(inputs);
    const int score = game.app->world != nullptr ? game.app->world->hiScores[0] : 0;
    std::printf("whole game: exit code %d, %zu frames flipped, %llu polls, best score %d\n", code, hl::flipCount(),
                static_cast<unsigned long long>(hl::polls()), score);
    if (game.timedOut) {
        std::fprintf(stderr, "whole game: the game did not end where the recording does\n");
        return 1;
    }
    return code;
}
