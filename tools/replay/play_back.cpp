// kalkulon_play_back RECORDING
// Plays a recorded game back headless in the working folder, which holds the game's data, and
// writes frames.txt ("<poll> <screen> <hash>" a frame), trace.txt (the trace at the recording's
// end) and the table the game leaves there. Built for the browser (Emscripten, run by node), it
// shows that the browser's build of the game makes the frames, trace and table of the native
// one (scripts/web-test).
#include "headless_game.h"
#include "recording.h"
#include "shell/error.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    replay::Inputs inputs;
    std::string error = "usage: kalkulon_play_back RECORDING";
    if (argc != 2 || !replay::readInputsFile(argv[1], inputs, error)) {
        std::fprintf(stderr, "kalkulon_play_back: %s\n", error.c_str());
        return 2;
    }
    replay::HeadlessGame game(ErrorReporter{kTraceFile});
    game.hashFrames();
    const int code = game.replay(inputs);
    std::ofstream frames("frames.txt", std::ios::binary);
    frames << replay::writeFrames(game.frames);
    // The trace as the game left it by the recording's end, before its destructor adds its lines.
    std::error_code ec;
    std::filesystem::copy_file(kTraceFile, "trace.txt", std::filesystem::copy_options::overwrite_existing, ec);
    if (!frames.flush() || ec) {
        std::fprintf(stderr, "kalkulon_play_back: frames.txt or trace.txt could not be written\n");
        return 1;
    }
    if (game.timedOut) std::fprintf(stderr, "kalkulon_play_back: the game did not end where the recording does\n");
    return code != 0 || game.timedOut ? 1 : 0;
}
