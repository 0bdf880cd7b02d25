// The program entry: the command line, the records of what the child practises, then the one
// application object with static storage, and its run. The object is made once the options are
// handled, so that its trace starts in the folder the game runs in (a lesson pack's own folder,
// with --pack).
#include "lessons/language.h"
#include "records/game_records.h"
#include "shell/application.h"
#include "shell/options.h"

int main(int argc, char** argv) {
    StartOptions start;
    if (const int exitCode = handleOptions(argc, argv, start); exitCode >= 0) return exitCode;
    records::GameRecords records(start.classFolder, start.packTitle, lvl::languageFromEnvironment());
    static Application theApplication;
    theApplication.playObserver = records.observer();
    return theApplication.run();
}
