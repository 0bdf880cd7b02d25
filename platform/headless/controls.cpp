// The headless back end's controls (platform/headless.h): what a test does to the machine, each
// kept in the script as played, and what it reads back.
#include "platform/headless/machine.h"
#include "platform/scan_codes.h"

#include <cstring>
#include <functional>

namespace plat::headless {

Machine& m() {
    static Machine machine;
    return machine;
}

void keepInput(InputKind kind, std::int64_t a, std::int64_t b, std::int64_t c) {
    m().inputs.push_back({m().polls, kind, a, b, c});
}

void keyWentDown(std::uint8_t press, std::uintptr_t message) {
    auto& s = m();
    if (!s.foreground) return;
    s.keyboard.pressed(press, s.layout[press]);
    if (message != 0 && s.windowAlive) s.queue.push_back({kMsgKeyDown, message, 0});
}

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
    if (!foreground) s.keyboard.leftForeground();
    s.foreground = foreground;
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
    if (!down) s.keyboard.released(scanCode);
    s.keys[scanCode] = down ? 0x80 : 0;
}
void repeatKey(std::uint8_t scanCode) {
    keepInput(InputKind::Repeat, scanCode);
    auto& s = m();
    if (s.keys[scanCode] != 0 && s.foreground) s.keyboard.repeated(scanCode, s.layout[scanCode]);
}
void setLayoutLetter(std::uint8_t scanCode, char32_t letter) { m().layout[scanCode] = letter; }
void releaseAllKeys() {
    keepInput(InputKind::ReleaseKeys);
    for (int scan = 0; scan < 256; ++scan) m().keyboard.released(static_cast<std::uint8_t>(scan));
    std::memset(m().keys, 0, sizeof m().keys);
}
bool keyboardAcquired() { return m().keyboard.acquired(); }
bool keyboardExists() { return m().keyboard.exists(); }
bool inputExists() { return m().keyboard.inputExists(); }

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

}  // namespace plat::headless
