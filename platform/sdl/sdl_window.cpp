// The game's window on SDL2: a desktop-sized full-screen window showing the 640 x 480 frame
// scaled with its aspect kept (sdl_video.cpp presents it), a message queue fed from SDL
// events, the cursor, the message box and the clock.
#include "platform/common/signals.h"
#include "platform/cp1250.h"
#include "platform/dialog_text.h"
#include "platform/letterbox.h"
#include "platform/platform.h"
#include "platform/report.h"
#include "platform/sdl/library_noise.h"
#include "platform/sdl/sdl_state.h"

#include <SDL.h>

#include <ctime>
#include <deque>
#include <string>

namespace plat::sdl {

WindowState& state() {
    static auto* s = new WindowState;  // outlives the application object's destructor
    return *s;
}

}  // namespace plat::sdl

namespace plat {

namespace {

using sdl::state;

std::deque<Message>& queue() {
    static auto* q = new std::deque<Message>;
    return *q;
}

// The window as it is now, asked at every use: SDL follows each size change the window system
// reports (a window manager, a tiling layout, the player), and the picture shown has the
// drawable's real pixels (more than the window's points under HiDPI scaling).
WindowSize windowSize() {
    auto& s = state();
    WindowSize size;
    if (s.window == nullptr) return size;
    SDL_GetWindowSize(s.window, &size.pointWidth, &size.pointHeight);
    size.pixelWidth = size.pointWidth;
    size.pixelHeight = size.pointHeight;
    sdl::drawableSize(size.pixelWidth, size.pixelHeight);
    return size;
}

Point mouseToFrame(int wx, int wy) { return pointToFrame(windowSize(), wx, wy, state().frameWidth, state().frameHeight); }

void destroyWindow() {
    auto& s = state();
    if (s.window == nullptr) return;
    if (s.upscaled != nullptr) SDL_DestroyTexture(s.upscaled);
    if (s.frame != nullptr) SDL_DestroyTexture(s.frame);
    if (s.renderer != nullptr) SDL_DestroyRenderer(s.renderer);
    SDL_DestroyWindow(s.window);
    s.upscaled = nullptr;
    s.frame = nullptr;
    s.renderer = nullptr;
    s.window = nullptr;
    s.focused = false;
    sdl::keyboardFocusChanged(false);
    plat::signals::stopWatching();
}

void setFocus(bool focused) {
    auto& s = state();
    if (s.focused == focused) return;
    s.focused = focused;
    sdl::keyboardFocusChanged(focused);
    queue().push_back({kMsgActivateApp, focused ? 1u : 0u, 0});
}

// Alt+Enter: full screen <-> a window of the largest whole multiple of the frame that fits
// the screen (twice the frame on most screens). Nothing is stored: every start is full screen.
void toggleFullscreen() {
    auto& s = state();
    if (s.window == nullptr) return;
    const bool fullscreen = (SDL_GetWindowFlags(s.window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    if (fullscreen) {
        SDL_Rect usable{0, 0, s.frameWidth * 2, s.frameHeight * 2};
        SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(s.window), &usable);
        int scale = 2;
        while (scale > 1 && (s.frameWidth * scale > usable.w || s.frameHeight * scale > usable.h)) --scale;
        SDL_SetWindowFullscreen(s.window, 0);
        SDL_SetWindowBordered(s.window, SDL_TRUE);
        SDL_SetWindowSize(s.window, s.frameWidth * scale, s.frameHeight * scale);
        SDL_SetWindowPosition(s.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    } else {
        // Sized to the screen first: with no window manager to honour the full-screen request
        // the window would keep its size while SDL takes it for the screen's.
        SDL_Rect screen{0, 0, s.frameWidth, s.frameHeight};
        SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(s.window), &screen);
        SDL_SetWindowPosition(s.window, screen.x, screen.y);
        SDL_SetWindowSize(s.window, screen.w, screen.h);
        SDL_SetWindowFullscreen(s.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
}

// SDL events become window messages; events the game does not know become nothing.
void translate(const SDL_Event& e) {
    auto& s = state();
    switch (e.type) {
    case SDL_QUIT:
        queue().push_back({kMsgClose, 0, 0});
        break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) queue().push_back({kMsgClose, 0, 0});
        else if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) setFocus(true);
        else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) setFocus(false);
        else if (e.window.event == SDL_WINDOWEVENT_EXPOSED) sdl::windowExposed();
        break;
    case SDL_KEYDOWN:
        if (e.key.repeat == 0) sdl::keyPressed(e.key.keysym);
        else sdl::keyRepeated(e.key.keysym);
        if (e.key.keysym.scancode == SDL_SCANCODE_ESCAPE) {
            queue().push_back({kMsgKeyDown, kVkEscape, 0});
        } else if ((e.key.keysym.scancode == SDL_SCANCODE_RETURN || e.key.keysym.scancode == SDL_SCANCODE_KP_ENTER) &&
                   (e.key.keysym.mod & KMOD_ALT) != 0 && e.key.repeat == 0) {
            toggleFullscreen();
        }
        break;
    case SDL_KEYUP:
        sdl::keyReleased(e.key.keysym);
        break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
        sdl::gamepadEvent(e);
        break;
    case SDL_MOUSEBUTTONUP:
        if (e.button.button == SDL_BUTTON_LEFT && s.window != nullptr) {
            queue().push_back({kMsgLButtonUp, 0, clickParam(mouseToFrame(e.button.x, e.button.y))});
        }
        break;
    default:
        break;
    }
}

void pump() {
    SDL_Event e;
    while (SDL_PollEvent(&e) != 0) translate(e);
    if (plat::signals::takeHangUp() && state().window != nullptr) queue().push_back({kMsgClose, 0, 0});
}

}  // namespace

// Milliseconds since the machine started, wrapping at 2^32 like the system clock the game
// was designed for (so the first frame-rate window closes at once).
std::uint32_t timeMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
                                      static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u);
}

bool createWindow(const char* title, WindowProc proc, void* owner, int width, int height) {
    auto& s = state();
    if (!sdl::startVideo()) return false;
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");  // the click that brings the window back counts
    s.proc = proc;
    s.owner = owner;
    s.frameWidth = width;
    s.frameHeight = height;
    const std::string utf8 = toUtf8(title);
    // Made as large as the screen: a window manager makes it full screen, and without one (a
    // kiosk, a bare X server) the window really covers the screen, as SDL believes it does.
    SDL_Rect screen{0, 0, width, height};
    SDL_GetDisplayBounds(0, &screen);
    s.window = sdl::quietly([&] {
        return SDL_CreateWindow(utf8.c_str(), screen.x, screen.y, screen.w, screen.h,
                                SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_ALLOW_HIGHDPI);
    });
    if (s.window == nullptr) {
        reportFailure("the window could not be made", SDL_GetError());
        return false;
    }
    s.crosshair = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_CROSSHAIR);
    if (s.crosshair != nullptr) SDL_SetCursor(s.crosshair);
    SDL_ShowWindow(s.window);
    SDL_RaiseWindow(s.window);
    // A new window is the active one, as on any desktop; without a window manager to give it
    // the keyboard (a kiosk, a bare X server) older SDL releases leave it without, and the
    // game would wait in the background.
    SDL_SetWindowInputFocus(s.window);
    plat::signals::watch();
    return true;
}

bool windowExists() { return state().window != nullptr; }

bool peekMessage(Message& msg) {
    pump();
    if (queue().empty()) return false;
    msg = queue().front();
    queue().pop_front();
    return true;
}

std::intptr_t dispatchMessage(const Message& msg) {
    auto& s = state();
    if (s.proc == nullptr || s.window == nullptr) return 0;  // a destroyed window takes no message
    return s.proc(s.owner, msg.id, msg.value, msg.where);
}

std::intptr_t defaultWindowProc(std::uint32_t id, std::uintptr_t, std::intptr_t) {
    auto& s = state();
    if (id == kMsgClose && s.window != nullptr) {
        // A window in the foreground is deactivated before it goes.
        if (s.focused && s.proc != nullptr) s.proc(s.owner, kMsgActivateApp, 0, 0);
        destroyWindow();
        if (s.proc != nullptr) s.proc(s.owner, kMsgDestroy, 0, 0);
    }
    return 0;
}

void sendClose() {
    auto& s = state();
    if (s.window == nullptr || s.proc == nullptr) return;
    s.proc(s.owner, kMsgClose, 0, 0);
}

void postQuitMessage(int exitCode) { queue().push_back({kMsgQuit, static_cast<std::uintptr_t>(exitCode), 0}); }

// SDL's timed wait blocks on the display connection where the video driver can, but where it
// cannot (the dummy driver of a headless run, among others) it polls every millisecond: a
// thousand wakes a second. One look at the events and then a plain sleep wakes once per
// timeout on every driver; an event that comes meanwhile waits at most the timeout.
void waitForEvent(int timeoutMs) {
    if (!queue().empty()) return;
    SDL_Event e;
    if (SDL_PollEvent(&e) != 0) {
        translate(e);
        return;
    }
    if (timeoutMs > 0) SDL_Delay(static_cast<Uint32>(timeoutMs));
}

void sleepMs(std::uint32_t ms) { SDL_Delay(ms); }

Point cursorPos() {
    auto& s = state();
    if (s.window == nullptr) return {};
    int x = 0;
    int y = 0;
    SDL_GetMouseState(&x, &y);
    return mouseToFrame(x, y);
}

void showCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void messageBox(const char* textCp1250, const char* captionCp1250) {
    messageBoxUtf8(toUtf8(wrapDialogText(textCp1250)).c_str(), toUtf8(captionCp1250).c_str());
}

void messageBoxUtf8(const char* text, const char* caption) {
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, state().window) != 0)
        SDL_Log("%s: %s", caption, text);  // no dialog possible: say it on stderr
}

}  // namespace plat

namespace plat::sdl {

void postMessage(const Message& msg) { queue().push_back(msg); }

}  // namespace plat::sdl
