// The program entry: the folder with the game's data, the command line, the records of what the
// child practises, then the one game with static storage, started and stepped until it ends. The
// game is made once the folder is entered and the options are handled, so that its trace starts
// in the folder the game runs in (beside its data, or a lesson pack's own folder, with --pack).
#include "lessons/language.h"
#include "records/game_records.h"
#include "shell/data_folder.h"
#include "shell/host.h"
#include "shell/options.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

int main(int argc, char** argv) {
    const DataFolder folder = enterDataFolder(runningExecutable(argv[0]));
    StartOptions start;
    if (const int exitCode = handleOptions(argc, argv, folder, start); exitCode >= 0) return exitCode;
    if (!folder.found) std::fprintf(stderr, "kalkulon: %s\n", folder.notFound.c_str());
    records::GameRecords records(start.classFolder, start.packTitle, lvl::languageCalled(start.language));
    // The trace stays in the folder the game started in when a lesson chosen later enters its own.
    std::error_code ec;
    static Game theGame(ErrorReporter{(std::filesystem::current_path(ec) / kTraceFile).string()}, start.language);
    theGame.playObserver = records.observer();
    theGame.classRoom = &records;
    theGame.showFrameRate = start.showFrameRate;
    theGame.lessonTitle = theGame.texts.drawn(start.packTitle);
    theGame.lessons = std::move(start.lessons);
    return runGame(theGame);
}
