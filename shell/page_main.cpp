// The program entry of the browser build: the folder with the game's data, the command line
// (the page's address gives --pack; its ?lang and the browser's languages come as the
// environment's), start-up, and then one step after another on the page's animation frames.
// The page's thread is never held: a step that shows a frame, or asks to wait (for the window
// to come back, for a curtain's next cell), hands it back at once, and the next frame steps on;
// the clock, not the wait, decides what the step does then.
#include "platform/page_frames.h"
#include "shell/data_folder.h"
#include "shell/host.h"
#include "shell/options.h"

#include <cstdio>
#include <utility>

namespace {

// Steps a game that showed nothing new and asked for no wait are taken in the same frame, at
// most this many, so that the page keeps answering whatever the game does.
constexpr int kStepsPerFrame = 1000;

bool stepOneFrame(void* game) {
    for (int steps = 0; steps < kStepsPerFrame; ++steps) {
        const Next next = static_cast<Game*>(game)->step();
        if (next.kind == Next::Kind::End) return false;
        if (next.kind != Next::Kind::Step) return true;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const DataFolder folder = enterDataFolder(runningExecutable(argv[0]));
    StartOptions start;  // the class folder's records are the desktop's; a page keeps none
    if (const int exitCode = handleOptions(argc, argv, folder, start); exitCode >= 0) return exitCode;
    if (!folder.found) std::fprintf(stderr, "kalkulon: %s\n", folder.notFound.c_str());
    static Game theGame(ErrorReporter{kTraceFile}, start.language);
    theGame.showFrameRate = start.showFrameRate;
    theGame.curtainPace = Curtain::Pace::CatchUp;
    theGame.lessonTitle = theGame.texts.drawn(start.packTitle);
    theGame.lessons = std::move(start.lessons);
    if (!startUp(theGame)) return 1;
    plat::stepOnPageFrames(&stepOneFrame, &theGame);
    return 0;
}
