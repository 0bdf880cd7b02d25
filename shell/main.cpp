// The program entry: the command line, then the one application object with static storage,
// and its run. The object is made once the options are handled, so that its trace starts in
// the folder the game runs in (a lesson pack's own folder, with --pack).
#include "shell/application.h"
#include "shell/options.h"

int main(int argc, char** argv) {
    GameSettings settings;
    if (const int exitCode = handleOptions(argc, argv, &settings); exitCode >= 0) return exitCode;
    static Application theApplication;
    theApplication.showFrameRate = settings.showFrameRate;
    return theApplication.run();
}
