// The program entry: the command line, then the one game with static storage, started and
// stepped until it ends. The game is made once the options are handled, so that its trace
// starts in the folder the game runs in (a lesson pack's own folder, with --pack).
#include "shell/host.h"
#include "shell/options.h"

int main(int argc, char** argv) {
    if (const int exitCode = handleOptions(argc, argv); exitCode >= 0) return exitCode;
    static Game theGame(ErrorReporter{kTraceFile});
    return runGame(theGame);
}
