// The desktop's host: one step after another, and between them only the waits the game asks
// for, so that a window in the background and the curtains leave the processor alone.
#include "shell/host.h"

int stepUntilTheEnd(Game& game) {
    for (;;) {
        const Next next = game.step();
        switch (next.kind) {
        case Next::Kind::End:
            return next.exitCode;
        case Next::Kind::Nap:
            plat::waitForEvent(static_cast<int>(next.ms));
            break;
        case Next::Kind::Sleep:
            plat::sleepMs(next.ms);
            break;
        case Next::Kind::Step:
        case Next::Kind::Frame:
            break;
        }
    }
}

int runGame(Game& game) { return startUp(game) ? stepUntilTheEnd(game) : 1; }
