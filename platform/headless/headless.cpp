// The headless back end: no display, no sound card, no real time. The clock moves only when
// a test moves it (or by a set step on every read, so loops that wait on the clock finish),
// messages, keys and mouse are scripted, message boxes and music calls are recorded, and
// presented frames are captured.
#include "platform/common/signals.h"
#include "platform/dialog_text.h"
#include "platform/headless/machine.h"

#include <cstring>

namespace plat {

using headless::failing;
using headless::m;

// ---- clock ---------------------------------------------------------------------------------

std::uint32_t timeMs() {
    m().time += m().step;
    return m().time;
}

// ---- window and messages ---------------------------------------------------------------------

bool createWindow(const char* title, WindowProc proc, void* owner, int, int) {
    if (failing(headless::Fail::CreateWindow)) return false;
    auto& s = m();
    s.windowAlive = true;
    s.windowWasCreated = true;
    s.title = title;
    s.proc = proc;
    s.owner = owner;
    // A new window comes up in the foreground, and the system says so.
    s.queue.push_back({kMsgActivateApp, s.foreground ? 1u : 0u, 0});
    signals::watch();
    return true;
}

bool windowExists() { return m().windowAlive; }

bool peekMessage(Message& msg) {
    auto& s = m();
    ++s.polls;
    if (s.pollHook && !s.inHook) {
        s.inHook = true;
        s.pollHook();
        s.inHook = false;
    }
    if (signals::takeHangUp() && s.windowAlive) s.queue.push_back({kMsgClose, 0, 0});
    if (s.queue.empty()) return false;
    msg = s.queue.front();
    s.queue.pop_front();
    return true;
}

std::intptr_t dispatchMessage(const Message& msg) {
    auto& s = m();
    if (s.proc == nullptr || !s.windowAlive) return 0;
    return s.proc(s.owner, msg.id, msg.value, msg.where);
}

std::intptr_t defaultWindowProc(std::uint32_t id, std::uintptr_t, std::intptr_t) {
    auto& s = m();
    if (id == kMsgClose && s.windowAlive) {
        // A window in the foreground is deactivated before it goes.
        if (s.foreground && s.proc != nullptr) s.proc(s.owner, kMsgActivateApp, 0, 0);
        s.windowAlive = false;
        s.keyboard.unacquire();
        s.musicAtDestroy = static_cast<int>(s.music.size());
        signals::stopWatching();
        if (s.proc != nullptr) s.proc(s.owner, kMsgDestroy, 0, 0);
    }
    return 0;
}

void sendClose() {
    auto& s = m();
    if (!s.windowAlive || s.proc == nullptr) return;
    s.proc(s.owner, kMsgClose, 0, 0);
}

void postQuitMessage(int exitCode) { m().queue.push_back({kMsgQuit, static_cast<std::uintptr_t>(exitCode), 0}); }

void waitForEvent(int) {}

void sleepMs(std::uint32_t) {}  // the clock moves only when told

Point cursorPos() { return m().mouse; }

void showCursor(bool show) {
    m().cursorShown = show;
    m().cursorCalls.push_back(show);
}

void messageBox(const char* textCp1250, const char* captionCp1250) {
    m().boxes.push_back({textCp1250, captionCp1250, wrapDialogText(textCp1250)});
}

void messageBoxUtf8(const char* text, const char* caption) { m().boxes.push_back({text, caption, text}); }

// ---- keyboard ----------------------------------------------------------------------------------

bool inputCreate() {
    if (failing(headless::Fail::InputCreate)) return false;
    m().keyboard.createInput();
    return true;
}

void inputRelease() { m().keyboard.releaseInput(); }

bool keyboardCreate() { return !failing(headless::Fail::KeyboardCreate) && m().keyboard.create(); }

bool keyboardAcquire() { return !failing(headless::Fail::KeyboardAcquire) && m().keyboard.acquire(m().foreground); }

void keyboardUnacquire() { m().keyboard.unacquire(); }

void keyboardRelease() { m().keyboard.release(); }

KeyRead keyboardRead(std::uint8_t state[256]) {
    auto& s = m();
    if (const KeyRead readable = s.keyboard.readable(s.foreground); readable != KeyRead::Ok) return readable;
    std::memcpy(state, s.keys, 256);
    s.pads.addHeld(state);
    return KeyRead::Ok;
}

bool keyboardTakePress(KeyPress& press) {
    auto& s = m();
    if (const std::uint8_t repeat = s.pads.dueRepeat(s.time); repeat != 0 && s.foreground) s.keyboard.repeated(repeat);
    return s.keyboard.take(press);
}

void keyboardDropPresses() { m().keyboard.dropPresses(); }

// ---- video -------------------------------------------------------------------------------------

bool videoStart(VideoStep step, int width, int height, int bitsPerPixel) {
    auto& s = m();
    switch (step) {
    case VideoStep::Device:
        if (failing(headless::Fail::VideoDevice)) return false;
        s.videoDevice = true;
        return true;
    case VideoStep::CooperativeLevel:
        return s.videoDevice && !failing(headless::Fail::VideoCooperativeLevel);
    case VideoStep::DisplayMode:
        if (!s.videoDevice || bitsPerPixel != 16 || failing(headless::Fail::VideoDisplayMode)) return false;
        s.videoMode = true;
        s.width = width;
        s.height = height;
        return true;
    }
    return false;
}

bool videoPixelMasks(std::uint32_t& red, std::uint32_t& green, std::uint32_t& blue) {
    auto& s = m();
    if (!s.videoMode || failing(headless::Fail::VideoPixelFormat)) return false;
    red = s.red;
    green = s.green;
    blue = s.blue;
    return true;
}

bool videoPresent(const std::uint16_t* pixels, int pitch, bool waitForRefresh) {
    auto& s = m();
    if (!s.videoMode) return false;
    if (failing(headless::Fail::Present)) return false;
    ++s.presents;
    if (waitForRefresh) ++s.flips;
    s.last.flip = waitForRefresh;
    const auto width = static_cast<std::size_t>(s.width);
    s.last.pixels.resize(width * static_cast<std::size_t>(s.height));
    for (int y = 0; y < s.height; ++y)
        std::memcpy(&s.last.pixels[static_cast<std::size_t>(y) * width], pixels + static_cast<std::ptrdiff_t>(y) * pitch,
                    width * sizeof(std::uint16_t));
    if (s.keep) s.frames.push_back(s.last);
    if (s.presentHook) s.presentHook(s.last);
    return true;
}

void videoStop() {
    m().videoMode = false;
    m().videoDevice = false;
}

// ---- music -------------------------------------------------------------------------------------

bool musicInit(int mixRate, int) {
    m().music.push_back({"init", mixRate});
    return !failing(headless::Fail::MusicInit);
}

// A song "loads" when its file could be read whole as the real back end reads it; its bytes
// are not played.
SongHandle musicLoad(const char* path) {
    std::vector<std::uint8_t> bytes;
    const bool read = readFile(path, kMaxModuleBytes, bytes);
    m().music.push_back({"load", read ? 1 : 0});
    if (!read) return 0;
    m().songLoaded = true;
    return 1;
}

void musicSetVolume(SongHandle song, int volume) {
    if (song == 0) return;
    m().music.push_back({"volume", volume});
    m().volume = volume;
}

void musicSetLooping(SongHandle song, bool loop) {
    if (song != 0) m().music.push_back({"loop", loop ? 1 : 0});
}

void musicPlay(SongHandle song) {
    if (song != 0) m().music.push_back({"play", 0});
}

void musicStop(SongHandle song) {
    if (song != 0) m().music.push_back({"stop", 0});
}

void musicFree(SongHandle song) {
    if (song == 0) return;
    m().music.push_back({"free", 0});
    m().songLoaded = false;
}

void musicClose() { m().music.push_back({"close", 0}); }

}  // namespace plat
