// The program entry: the folder with the game's data, the command line, then the one game with
// static storage, started and stepped until it ends. The game is made once the folder is entered
// and the options are handled, so that its trace starts in the folder the game runs in (beside
// its data, or a lesson pack's own folder, with --pack).
#include "shell/data_folder.h"
#include "shell/host.h"
#include "shell/options.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    const DataFolder folder = enterDataFolder(runningExecutable(argv[0]));
    std::string language;
    if (const int exitCode = handleOptions(argc, argv, folder, language); exitCode >= 0) return exitCode;
    if (!folder.found) std::fprintf(stderr, "kalkulon: %s\n", folder.notFound.c_str());
    static Game theGame(ErrorReporter{kTraceFile}, language);
    return runGame(theGame);
}
