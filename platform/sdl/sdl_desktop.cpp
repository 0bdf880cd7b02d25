// Starting SDL's video: the game shows itself on a desktop or stops at once. Without one, SDL
// would fall back to a driver that draws nowhere and the game would run unseen for ever; such
// a driver is used only when asked for by name (SDL_VIDEODRIVER, as the tests and benchmarks
// do).
#include "platform/report.h"
#include "platform/sdl/library_noise.h"
#include "platform/sdl/sdl_state.h"

#include <SDL.h>

#include <cstdlib>
#include <string>
#include <string_view>

namespace plat::sdl {

namespace {

bool drawsNowhere(std::string_view driver) { return driver == "offscreen" || driver == "dummy" || driver == "evdev"; }

void reportNoDesktop(const char* sdlReason) {
    std::string why;
    for (const char* variable : {"WAYLAND_DISPLAY", "DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') why += std::string(why.empty() ? "" : " and ") + variable + "=" + value;
    }
    why = why.empty() ? "DISPLAY and WAYLAND_DISPLAY are not set" : why + " did not answer";
    if (sdlReason != nullptr && *sdlReason != '\0') why += std::string(" (") + sdlReason + ")";
    reportFailure("the game needs a graphical desktop (X11 or Wayland) and found none",
                  why + "; start it from a desktop. The tests run headless without one: scripts/test");
}

}  // namespace

bool startVideo() {
    const char* asked = std::getenv("SDL_VIDEODRIVER");  // read by SDL before its hint existed
    if (asked != nullptr && *asked == '\0') asked = nullptr;
    if (quietly([] { return SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER); }) != 0) {
        if (asked != nullptr) reportFailure(std::string("the video driver ") + asked + " did not start", SDL_GetError());
        else reportNoDesktop(SDL_GetError());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (asked == nullptr && driver != nullptr && drawsNowhere(driver)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        reportNoDesktop(nullptr);
        return false;
    }
    return true;
}

}  // namespace plat::sdl
