// The game's window in a browser page: the canvas is the window, the page's events become the
// window's messages (web_input.cpp), the clock is the page's, and a message box is the
// browser's own alert.
#include "platform/cp1250.h"
#include "platform/dialog_text.h"
#include "platform/web/web_state.h"

#include <emscripten.h>

#include <string>

namespace plat::web {

PageState& state() {
    static auto* s = new PageState;  // outlives the application object's destructor
    return *s;
}

}  // namespace plat::web

namespace plat {

using web::state;

std::uint32_t timeMs() { return static_cast<std::uint32_t>(static_cast<std::uint64_t>(emscripten_get_now())); }

bool createWindow(const char* title, WindowProc proc, void* owner, int width, int height) {
    auto& s = state();
    s.proc = proc;
    s.owner = owner;
    s.frameWidth = width;
    s.frameHeight = height;
    s.windowAlive = true;
    const std::string utf8 = toUtf8(title);
    EM_ASM({ document.title = UTF8ToString($0); }, utf8.c_str());
    web::listen();
    s.queue.push_back({kMsgActivateApp, s.focused ? 1u : 0u, 0});
    return true;
}

bool windowExists() { return state().windowAlive; }

bool peekMessage(Message& msg) {
    auto& s = state();
    web::pollGamepads();
    if (s.queue.empty()) return false;
    msg = s.queue.front();
    s.queue.pop_front();
    return true;
}

std::intptr_t dispatchMessage(const Message& msg) {
    auto& s = state();
    if (s.proc == nullptr || !s.windowAlive) return 0;
    return s.proc(s.owner, msg.id, msg.value, msg.where);
}

std::intptr_t defaultWindowProc(std::uint32_t id, std::uintptr_t, std::intptr_t) {
    auto& s = state();
    if (id == kMsgClose && s.windowAlive) {
        if (s.focused && s.proc != nullptr) s.proc(s.owner, kMsgActivateApp, 0, 0);
        s.windowAlive = false;
        s.keyboard.leftForeground();
        if (s.proc != nullptr) s.proc(s.owner, kMsgDestroy, 0, 0);
        EM_ASM({
            if (Module.kalkulonClosed) Module.kalkulonClosed();
        });
    }
    return 0;
}

void sendClose() {
    auto& s = state();
    if (s.windowAlive && s.proc != nullptr) s.proc(s.owner, kMsgClose, 0, 0);
}

void postQuitMessage(int exitCode) { state().queue.push_back({kMsgQuit, static_cast<std::uintptr_t>(exitCode), 0}); }

// The page never waits: the host returns to the browser instead, and steps on the next frame.
void waitForEvent(int) {}
void sleepMs(std::uint32_t) {}

Point cursorPos() { return state().mouse; }

void showCursor(bool show) {
    EM_ASM(
        {
            if (Module.canvas) Module.canvas.style.cursor = $0 ? 'crosshair' : 'none';
        },
        show ? 1 : 0);
}

void messageBox(const char* textCp1250, const char* captionCp1250) {
    const std::string text = toUtf8(captionCp1250) + "\n\n" + toUtf8(wrapDialogText(textCp1250));
    EM_ASM(
        {
            const t = UTF8ToString($0);
            console.error(t);
            if (typeof alert == 'function') alert(t);
        },
        text.c_str());
}

void messageBoxUtf8(const char* text, const char* caption) {
    const std::string shown = std::string(caption) + "\n\n" + text;
    EM_ASM(
        {
            const t = UTF8ToString($0);
            console.error(t);
            if (typeof alert == 'function') alert(t);
        },
        shown.c_str());
}

}  // namespace plat
