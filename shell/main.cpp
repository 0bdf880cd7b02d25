// The program entry: the command line, then the one application object with static storage,
// and its run. The object is made once the options are handled, so that its trace starts in
// the folder the game runs in (a lesson pack's own folder, with --pack).
#include "shell/application.h"
#include "shell/options.h"

#include <string>

int main(int argc, char** argv) {
    std::string language;
    if (const int exitCode = handleOptions(argc, argv, language); exitCode >= 0) return exitCode;
    static Application theApplication(language);
    return theApplication.run();
}
