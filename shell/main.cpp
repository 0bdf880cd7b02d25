// The program entry: the folder with the game's data, the command line, then the one game with
// static storage, started and stepped until it ends. The game is made once the folder is entered
// and the options are handled, so that its trace starts in the folder the game runs in (beside
// its data, or a lesson pack's own folder, with --pack).
#include "shell/data_folder.h"
#include "shell/host.h"
#include "shell/options.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

int main(int argc, char** argv) {
    const DataFolder folder = enterDataFolder(runningExecutable(argv[0]));
    GameSettings settings;
    if (const int exitCode = handleOptions(argc, argv, folder, &settings); exitCode >= 0) return exitCode;
    if (!folder.found) std::fprintf(stderr, "kalkulon: %s\n", folder.notFound.c_str());
    // The trace stays in the folder the game started in when a lesson chosen later enters its own.
    std::error_code ec;
    static Game theGame(ErrorReporter{(std::filesystem::current_path(ec) / kTraceFile).string()});
    theGame.showFrameRate = settings.showFrameRate;
    theGame.lessonTitle = settings.lessonTitle;
    theGame.lessons = std::move(settings.lessons);
    return runGame(theGame);
}
