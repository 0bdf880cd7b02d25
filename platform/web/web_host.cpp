// The interim host of the browser build: the game still runs its own loops (the main loop, the
// play routine nested in a click, the curtains), so the whole program is built with Asyncify
// and these two calls give the thread back to the browser: after each flip until the next
// frame is due (about 60 a second), after a direct draw at most once a frame, and for a nap.
// With a game that steps one frame per call this file goes: the page calls the step from
// emscripten_set_main_loop and neither function is needed (see platform/web/README.md).
#include "platform/web/web_state.h"

#include <emscripten.h>

namespace plat::web {

namespace {

constexpr double kFrameMs = 1000.0 / 60.0;
double lastYield = 0.0;

}  // namespace

void framePresented(bool flip) {
    const double now = emscripten_get_now();
    const double spent = now - lastYield;
    if (!flip && spent < kFrameMs) return;
    emscripten_sleep(flip && spent < kFrameMs ? static_cast<unsigned>(kFrameMs - spent) : 0);
    lastYield = emscripten_get_now();
}

void nap(int timeoutMs) {
    emscripten_sleep(static_cast<unsigned>(timeoutMs > 0 ? timeoutMs : 0));
    lastYield = emscripten_get_now();
}

}  // namespace plat::web
