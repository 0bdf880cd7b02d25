// kalkulon_play_back RECORDING
// Plays a recorded game back headless in the working folder, which holds the game's data, and
// writes frames.txt ("<poll> <screen> <hash>" a frame) beside the trace and the table the game
// leaves there. Built for the browser (Emscripten, run by node), it shows that the browser's
// build of the game makes the frames, trace and table of the native one (scripts/web-test).
#include "headless_game.h"
#include "recording.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    replay::Inputs inputs;
    std::string error = "usage: kalkulon_play_back RECORDING";
    if (argc != 2 || !replay::readInputsFile(argv[1], inputs, error)) {
        std::fprintf(stderr, "kalkulon_play_back: %s\n", error.c_str());
        return 2;
    }
    replay::HeadlessGame game;
    game.hashFrames();
    const int code = game.replay(inputs);
    std::ofstream("frames.txt", std::ios::binary) << replay::writeFrames(game.frames);
    if (game.timedOut) std::fprintf(stderr, "kalkulon_play_back: the game did not end where the recording does\n");
    return code != 0 || game.timedOut ? 1 : 0;
}
