// The headless back end: no display, no sound card, no real time. The clock moves only when
// a test moves it (or by a set step on every read, so loops that wait on the clock finish),
// messages, keys and mouse are scripted, message boxes and music calls are recorded, and
// presented frames are captured.
#include "platform/headless.h"
#include "platform/common/signals.h"
#include "platform/dialog_text.h"
#include "platform/gamepads.h"
#include "platform/key_presses.h"
#include "platform/platform.h"
#include "platform/scan_codes.h"

#include <cstring>
#include <deque>

namespace plat {

namespace {

struct Machine {
    std::uint32_t time = 0;
    std::uint32_t step = 0;
    std::deque<Message> queue;
    std::function<void()> pollHook;
    bool inHook = false;
    std::uint64_t polls = 0;
    std::vector<headless::Input> inputs;
    // window
    bool windowAlive = false;
    bool windowWasCreated = false;
    std::string title;
    WindowProc proc = nullptr;
    void* owner = nullptr;
    bool foreground = true;
    // mouse and keyboard
    Point mouse;
    bool cursorShown = true;
    std::vector<bool> cursorCalls;
    std::uint8_t keys[256] = {};
    char32_t layout[256] = {};  // the character each key types, 0 for the default
    KeyPresses presses;
    bool input = false;
    bool keyboard = false;
    bool acquired = false;
    Gamepads pads;
    // failures
    bool fail[16] = {};
    std::uint32_t red = 0xF800, green = 0x07E0, blue = 0x001F;
    bool videoDevice = false;
    bool videoMode = false;
    int width = 0;  // the frame's size, as the game set the mode
    int height = 0;
    // recordings
    std::vector<headless::MessageBoxRecord> boxes;
    headless::Frame last;
    std::function<void(const headless::Frame&)> presentHook;
    bool keep = false;
    std::vector<headless::Frame> frames;
    std::size_t presents = 0;
    std::size_t flips = 0;
    std::vector<headless::MusicCall> music;
    bool songLoaded = false;
    int volume = -1;
    int musicAtDestroy = -1;
};

Machine& m() {
    static Machine machine;
    return machine;
}

bool failing(headless::Fail f) { return m().fail[static_cast<int>(f)]; }

void keepInput(headless::InputKind kind, std::int64_t a = 0, std::int64_t b = 0, std::int64_t c = 0) {
    m().inputs.push_back({m().polls, kind, a, b, c});
}

// A key (or a gamepad's button) going down while the window is in front: a press for typing
// when the keyboard is there, and its key-down message.
void keyWentDown(std::uint8_t press, std::uintptr_t message) {
    auto& s = m();
    if (!s.foreground) return;
    if (s.keyboard) s.presses.push(press, s.layout[press]);
    if (message != 0 && s.windowAlive) s.queue.push_back({kMsgKeyDown, message, 0});
}

}  // namespace

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
        s.acquired = false;
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
    m().input = true;
    return true;
}

void inputRelease() { m().input = false; }

bool keyboardCreate() {
    if (!m().input || failing(headless::Fail::KeyboardCreate)) return false;
    m().keyboard = true;
    return true;
}

bool keyboardAcquire() {
    auto& s = m();
    if (!s.keyboard || !s.foreground || failing(headless::Fail::KeyboardAcquire)) return false;
    s.acquired = true;
    return true;
}

void keyboardUnacquire() { m().acquired = false; }

void keyboardRelease() {
    m().keyboard = false;
    m().acquired = false;
    m().presses.clear();
}

KeyRead keyboardRead(std::uint8_t state[256]) {
    auto& s = m();
    if (!s.keyboard) return KeyRead::Failed;
    if (!s.acquired || !s.foreground) {
        s.acquired = false;
        return KeyRead::InputLost;
    }
    std::memcpy(state, s.keys, 256);
    s.pads.addHeld(state);
    return KeyRead::Ok;
}

bool keyboardTakePress(KeyPress& press) {
    auto& s = m();
    if (const std::uint8_t repeat = s.pads.dueRepeat(s.time); repeat != 0 && s.keyboard && s.foreground)
        s.presses.pushRepeat(repeat);
    return s.presses.take(press);
}

void keyboardDropPresses() { m().presses.clear(); }

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

// ---- test controls -----------------------------------------------------------------------------

namespace headless {

void reset() { m() = Machine{}; }

void setTime(std::uint32_t ms) {
    keepInput(InputKind::Time, ms);
    m().time = ms;
}
void advance(std::uint32_t ms) {
    keepInput(InputKind::Advance, ms);
    m().time += ms;
}
void setTimeStep(std::uint32_t msPerRead) {
    keepInput(InputKind::TimeStep, msPerRead);
    m().step = msPerRead;
}
std::uint32_t peekTime() { return m().time; }

void postMessage(const Message& msg) {
    keepInput(InputKind::Message, msg.id, static_cast<std::int64_t>(msg.value), msg.where);
    m().queue.push_back(msg);
}

void postClick(int x, int y) {
    keepInput(InputKind::Click, x, y);
    m().mouse = {x, y};
    m().queue.push_back({kMsgLButtonUp, 0, clickParam({x, y})});
}

void postEscape() {
    keepInput(InputKind::Escape);
    m().queue.push_back({kMsgKeyDown, kVkEscape, 0});
}

void postSystemClose() {
    keepInput(InputKind::Close);
    m().queue.push_back({kMsgClose, 0, 0});
}

void setForeground(bool foreground) {
    keepInput(InputKind::Foreground, foreground ? 1 : 0);
    auto& s = m();
    if (!foreground) s.presses.clear();
    s.foreground = foreground;
    if (!foreground) s.acquired = false;
    s.queue.push_back({kMsgActivateApp, foreground ? 1u : 0u, 0});
}

std::size_t pendingMessages() { return m().queue.size(); }

void setPollHook(std::function<void()> hook) { m().pollHook = std::move(hook); }
std::uint64_t polls() { return m().polls; }

void setMouse(int x, int y) {
    keepInput(InputKind::Mouse, x, y);
    m().mouse = {x, y};
}
bool cursorVisible() { return m().cursorShown; }
const std::vector<bool>& cursorCalls() { return m().cursorCalls; }
void setKey(std::uint8_t scanCode, bool down) {
    keepInput(InputKind::Key, scanCode, down ? 1 : 0);
    auto& s = m();
    if (down && s.keys[scanCode] == 0) keyWentDown(scanCode, virtualKeyOf(scanCode));
    if (!down) s.presses.released(scanCode);
    s.keys[scanCode] = down ? 0x80 : 0;
}
void repeatKey(std::uint8_t scanCode) {
    keepInput(InputKind::Repeat, scanCode);
    auto& s = m();
    if (s.keys[scanCode] != 0 && s.keyboard && s.foreground) s.presses.pushRepeat(scanCode, s.layout[scanCode]);
}
void setLayoutLetter(std::uint8_t scanCode, char32_t letter) { m().layout[scanCode] = letter; }
void releaseAllKeys() {
    keepInput(InputKind::ReleaseKeys);
    for (int scan = 0; scan < 256; ++scan) m().presses.released(static_cast<std::uint8_t>(scan));
    std::memset(m().keys, 0, sizeof m().keys);
}
bool keyboardAcquired() { return m().acquired; }
bool keyboardExists() { return m().keyboard; }
bool inputExists() { return m().input; }

void plugPad(int id) {
    keepInput(InputKind::Plug, id);
    m().pads.plug(id);
}
void unplugPad(int id) {
    keepInput(InputKind::Unplug, id);
    m().pads.unplug(id);
}
void setPadButton(int id, PadButton button, bool down) {
    keepInput(InputKind::PadButton, id, static_cast<std::int64_t>(button), down ? 1 : 0);
    const PadKey key = m().pads.button(id, button, down, m().time);
    if (key.press != 0 || key.message != 0) keyWentDown(key.press, key.message);
}
void setPadAxis(int id, PadAxis axis, int value) {
    keepInput(InputKind::PadAxis, id, static_cast<std::int64_t>(axis), value);
    const PadKey key = m().pads.axis(id, axis, value);
    if (key.press != 0 || key.message != 0) keyWentDown(key.press, key.message);
}

void setFail(Fail what, bool fail) { m().fail[static_cast<int>(what)] = fail; }

void setPixelMasks(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    m().red = red;
    m().green = green;
    m().blue = blue;
}

const std::vector<MessageBoxRecord>& messageBoxes() { return m().boxes; }
bool windowCreated() { return m().windowWasCreated; }
std::string windowTitle() { return m().title; }

std::size_t presentCount() { return m().presents; }
std::size_t flipCount() { return m().flips; }
const Frame& lastFrame() { return m().last; }
void keepFrames(bool keepAll) { m().keep = keepAll; }
void setPresentHook(std::function<void(const Frame&)> hook) { m().presentHook = std::move(hook); }
const std::vector<Frame>& frames() { return m().frames; }

const std::vector<MusicCall>& musicCalls() { return m().music; }
int musicVolume() { return m().songLoaded ? m().volume : -1; }
int musicCallsAtDestroy() { return m().musicAtDestroy; }

const std::vector<Input>& inputs() { return m().inputs; }

void apply(const Input& in) {
    const auto u32 = [](std::int64_t v) { return static_cast<std::uint32_t>(v); };
    const auto i32 = [](std::int64_t v) { return static_cast<int>(v); };
    switch (in.kind) {
    case InputKind::Time:
        setTime(u32(in.a));
        break;
    case InputKind::Advance:
        advance(u32(in.a));
        break;
    case InputKind::TimeStep:
        setTimeStep(u32(in.a));
        break;
    case InputKind::Message:
        postMessage({u32(in.a), static_cast<std::uintptr_t>(in.b), static_cast<std::intptr_t>(in.c)});
        break;
    case InputKind::Click:
        postClick(i32(in.a), i32(in.b));
        break;
    case InputKind::Escape:
        postEscape();
        break;
    case InputKind::Close:
        postSystemClose();
        break;
    case InputKind::Foreground:
        setForeground(in.a != 0);
        break;
    case InputKind::Mouse:
        setMouse(i32(in.a), i32(in.b));
        break;
    case InputKind::Key:
        setKey(static_cast<std::uint8_t>(in.a), in.b != 0);
        break;
    case InputKind::ReleaseKeys:
        releaseAllKeys();
        break;
    case InputKind::Repeat:
        repeatKey(static_cast<std::uint8_t>(in.a));
        break;
    case InputKind::Plug:
        plugPad(i32(in.a));
        break;
    case InputKind::Unplug:
        unplugPad(i32(in.a));
        break;
    case InputKind::PadButton:
        setPadButton(i32(in.a), static_cast<PadButton>(in.b), in.c != 0);
        break;
    case InputKind::PadAxis:
        setPadAxis(i32(in.a), static_cast<PadAxis>(in.b), i32(in.c));
        break;
    }
}

}  // namespace headless

}  // namespace plat
