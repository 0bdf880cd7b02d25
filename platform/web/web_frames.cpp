// The page's animation frames driving the program (platform/page_frames.h): the browser calls
// the frame function once per display refresh, and the thread is the page's in between.
#include "platform/page_frames.h"

#include <emscripten.h>

namespace plat {

namespace {

struct FrameCall {
    bool (*frame)(void*) = nullptr;
    void* arg = nullptr;
};

void onAnimationFrame(void* call) {
    const auto* c = static_cast<const FrameCall*>(call);
    if (c->frame(c->arg)) return;
    emscripten_cancel_main_loop();
    EM_ASM({
        if (Module.kalkulonEnded) Module.kalkulonEnded();
    });
}

}  // namespace

void stepOnPageFrames(bool (*frame)(void*), void* arg) {
    static FrameCall call;
    call = {frame, arg};
    emscripten_set_main_loop_arg(&onAnimationFrame, &call, 0, false);
}

}  // namespace plat
