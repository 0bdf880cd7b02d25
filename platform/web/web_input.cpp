// The page's input through the browser's own interfaces (emscripten/html5.h): keys by their
// place on the keyboard (letters by the layout, as on the desktop), the mouse on the canvas,
// the on-screen arrows and jump button for touch screens, the page's focus, the full-screen
// button, and the pads of the Gamepad API in their standard layout.
#include "platform/cp1250.h"
#include "platform/scan_codes.h"
#include "platform/web/web_state.h"

#include <emscripten/html5.h>

#include <cstring>
#include <string_view>

namespace plat::web {

namespace {

struct CodeKey {
    std::string_view code;  // KeyboardEvent.code
    std::uint8_t scan;
};

constexpr CodeKey kCodes[] = {
    {"Escape", 0x01},      {"Digit1", 0x02},       {"Digit2", 0x03},       {"Digit3", 0x04},      {"Digit4", 0x05},
    {"Digit5", 0x06},      {"Digit6", 0x07},       {"Digit7", 0x08},       {"Digit8", 0x09},      {"Digit9", 0x0A},
    {"Digit0", 0x0B},      {"Minus", 0x0C},        {"Equal", 0x0D},        {"Backspace", 0x0E},   {"Tab", 0x0F},
    {"BracketLeft", 0x1A}, {"BracketRight", 0x1B}, {"Enter", 0x1C},        {"ControlLeft", 0x1D}, {"Semicolon", 0x27},
    {"Quote", 0x28},       {"Backquote", 0x29},    {"ShiftLeft", 0x2A},    {"Backslash", 0x2B},   {"Comma", 0x33},
    {"Period", 0x34},      {"Slash", 0x35},        {"ShiftRight", 0x36},   {"AltLeft", 0x38},     {"Space", 0x39},
    {"CapsLock", 0x3A},    {"NumpadEnter", 0x9C},  {"ControlRight", 0x9D}, {"AltRight", 0xB8},    {"Home", 0xC7},
    {"ArrowUp", 0xC8},     {"PageUp", 0xC9},       {"ArrowLeft", 0xCB},    {"ArrowRight", 0xCD},  {"End", 0xCF},
    {"ArrowDown", 0xD0},   {"PageDown", 0xD1},     {"Insert", 0xD2},       {"Delete", 0xD3},
};

// The PC scan code of a key, 0 for none: a Latin letter as the layout types it, else its place.
std::uint8_t scanOf(const EmscriptenKeyboardEvent& e) {
    const std::string_view key = e.key;
    if (key.size() == 1 && ((key[0] >= 'a' && key[0] <= 'z') || (key[0] >= 'A' && key[0] <= 'Z')))
        return kScanLetters[(key[0] | 0x20) - 'a'];
    const std::string_view code = e.code;
    if (code.size() == 4 && code.substr(0, 3) == "Key") return kScanLetters[code[3] - 'A'];
    for (const CodeKey& c : kCodes)
        if (c.code == code) return c.scan;
    return 0;
}

// The character the page's keyboard layout types with the key: its `key` when that is one
// character (not a name such as "Enter"), else 0.
char32_t letterOf(const EmscriptenKeyboardEvent& e) {
    const std::string_view key = e.key;
    std::size_t i = 0;
    const char32_t first = nextCodePoint(key.data(), key.size(), i);
    return i == key.size() && first >= 0x20 ? first : 0;
}

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* e, void*) {
    auto& s = state();
    const std::uint8_t scan = scanOf(*e);
    if (scan == 0) return EM_FALSE;
    if (type == EMSCRIPTEN_EVENT_KEYDOWN) {
        if (!e->repeat && s.keys[scan] == 0) {
            if (scan == 0x01) s.queue.push_back({kMsgKeyDown, kVkEscape, 0});
            keyWentDown(scan, virtualKeyOf(scan), letterOf(*e));
        } else if (e->repeat && s.focused) {
            s.keyboard.repeated(scan, letterOf(*e));
        }
        s.keys[scan] = kKeyDown;
    } else {
        s.keyboard.released(scan);
        s.keys[scan] = 0;
    }
    return EM_TRUE;  // the page neither scrolls nor moves its focus for the game's keys
}

Point toFrame(long targetX, long targetY) {
    auto& s = state();
    double width = 0;
    double height = 0;
    emscripten_get_element_css_size("#canvas", &width, &height);
    if (width <= 0 || height <= 0) return s.mouse;
    const auto scale = [](long v, double size, int frame) {
        const int x = static_cast<int>(static_cast<double>(v) * frame / size);
        return x < 0 ? 0 : (x >= frame ? frame - 1 : x);
    };
    return {scale(targetX, width, s.frameWidth), scale(targetY, height, s.frameHeight)};
}

EM_BOOL onMouse(int type, const EmscriptenMouseEvent* e, void*) {
    auto& s = state();
    s.mouse = toFrame(e->targetX, e->targetY);
    if (type != EMSCRIPTEN_EVENT_MOUSEUP || e->button != 0 || !s.windowAlive) return EM_FALSE;
    // A game's button takes a click only where the last frame showed the mouse on it; a tap or
    // a quick click lands where no frame has shown the mouse yet, so it waits for one.
    const Message click{kMsgLButtonUp, 0, clickParam(s.mouse)};
    const bool seen = s.mouse.x == s.mouseShown.x && s.mouse.y == s.mouseShown.y;
    (seen ? s.queue : s.clicksAfterFrame).push_back(click);
    return EM_FALSE;
}

// The on-screen controls hold a key while a finger is on them; the key is the user data.
EM_BOOL onTouch(int type, const EmscriptenTouchEvent*, void* key) {
    auto& s = state();
    const auto scan = static_cast<std::uint8_t>(reinterpret_cast<std::uintptr_t>(key));
    if (type == EMSCRIPTEN_EVENT_TOUCHSTART) {
        if (s.keys[scan] == 0) keyWentDown(scan, scan == 0x01 ? kVkEscape : virtualKeyOf(scan));
        s.keys[scan] = kKeyDown;
    } else {
        s.keys[scan] = 0;
    }
    return EM_TRUE;  // no mouse events follow a touch on a control
}

EM_BOOL onFocus(int type, const EmscriptenFocusEvent*, void*) {
    auto& s = state();
    const bool focused = type == EMSCRIPTEN_EVENT_FOCUS;
    if (focused == s.focused) return EM_FALSE;
    s.focused = focused;
    if (!focused) {
        s.keyboard.leftForeground();
        std::memset(s.keys, 0, sizeof s.keys);
    }
    if (s.windowAlive) s.queue.push_back({kMsgActivateApp, focused ? 1u : 0u, 0});
    return EM_FALSE;
}

EM_BOOL onFullscreenButton(int, const EmscriptenMouseEvent*, void*) {
    EmscriptenFullscreenStrategy strategy{};
    strategy.scaleMode = EMSCRIPTEN_FULLSCREEN_SCALE_ASPECT;
    strategy.canvasResolutionScaleMode = EMSCRIPTEN_FULLSCREEN_CANVAS_SCALE_NONE;
    strategy.filteringMode = EMSCRIPTEN_FULLSCREEN_FILTERING_NEAREST;
    emscripten_request_fullscreen_strategy("#canvas", EM_TRUE, &strategy);
    return EM_TRUE;
}

struct TouchControl {
    const char* selector;
    std::uint8_t scan;
};
constexpr TouchControl kTouchControls[] = {
    {"#touch-left", kScanLeft}, {"#touch-right", kScanRight}, {"#touch-jump", kScanUp}, {"#touch-pause", 0x01}};

// The pads as last read: the standard layout's buttons 0 (south), 1 (east), 9 (start) and
// 12 to 15 (the D-pad), and the left stick.
struct PadSeen {
    bool connected = false;
    bool buttons[7] = {};
    int axes[2] = {};
};
PadSeen seen[4];
constexpr int kPadButtonIndex[7] = {0, 1, 9, 12, 13, 14, 15};

void padEvent(PadKey key) {
    if (key.press != 0 || key.message != 0) keyWentDown(key.press, key.message);
}

}  // namespace

void frameShown() {
    auto& s = state();
    s.mouseShown = s.mouse;
    for (const Message& click : s.clicksAfterFrame) s.queue.push_back(click);
    s.clicksAfterFrame.clear();
}

void keyWentDown(std::uint8_t press, std::uintptr_t message, char32_t letter) {
    auto& s = state();
    if (!s.focused) return;
    s.keyboard.pressed(press, letter);
    if (message != 0 && s.windowAlive) s.queue.push_back({kMsgKeyDown, message, 0});
}

void listen() {
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(window, nullptr, EM_TRUE, onKey);
    emscripten_set_mousemove_callback("#canvas", nullptr, EM_TRUE, onMouse);
    emscripten_set_mousedown_callback("#canvas", nullptr, EM_TRUE, onMouse);
    emscripten_set_mouseup_callback("#canvas", nullptr, EM_TRUE, onMouse);
    emscripten_set_focus_callback(window, nullptr, EM_TRUE, onFocus);
    emscripten_set_blur_callback(window, nullptr, EM_TRUE, onFocus);
    emscripten_set_click_callback("#fullscreen", nullptr, EM_TRUE, onFullscreenButton);
    for (const TouchControl& c : kTouchControls) {
        void* key = reinterpret_cast<void*>(static_cast<std::uintptr_t>(c.scan));
        emscripten_set_touchstart_callback(c.selector, key, EM_TRUE, onTouch);
        emscripten_set_touchend_callback(c.selector, key, EM_TRUE, onTouch);
        emscripten_set_touchcancel_callback(c.selector, key, EM_TRUE, onTouch);
    }
}

void pollGamepads() {
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return;
    auto& s = state();
    const int count = emscripten_get_num_gamepads();
    for (int i = 0; i < 4; ++i) {
        EmscriptenGamepadEvent pad{};
        const bool connected = i < count && emscripten_get_gamepad_status(i, &pad) == EMSCRIPTEN_RESULT_SUCCESS && pad.connected;
        PadSeen& was = seen[i];
        if (connected != was.connected) {
            if (connected) s.pads.plug(i);
            else s.pads.unplug(i);
            was = PadSeen{connected, {}, {}};
        }
        if (!connected) continue;
        for (int b = 0; b < 7; ++b) {
            const int index = kPadButtonIndex[b];
            const bool down = index < pad.numButtons && pad.digitalButton[index] != 0;
            if (down != was.buttons[b]) padEvent(s.pads.button(i, static_cast<PadButton>(b), down, timeMs()));
            was.buttons[b] = down;
        }
        for (int a = 0; a < 2 && a < pad.numAxes; ++a) {
            const int value = static_cast<int>(pad.axis[a] * 32767.0);
            if (value != was.axes[a]) padEvent(s.pads.axis(i, a == 0 ? PadAxis::LeftX : PadAxis::LeftY, value));
            was.axes[a] = value;
        }
    }
}

}  // namespace plat::web

namespace plat {

using web::state;

bool inputCreate() {
    state().keyboard.createInput();
    return true;
}
void inputRelease() { state().keyboard.releaseInput(); }
bool keyboardCreate() { return state().keyboard.create(); }
bool keyboardAcquire() { return state().keyboard.acquire(state().focused); }
void keyboardUnacquire() { state().keyboard.unacquire(); }
void keyboardRelease() { state().keyboard.release(); }

KeyRead keyboardRead(std::uint8_t keys[256]) {
    auto& s = state();
    if (const KeyRead readable = s.keyboard.readable(s.focused); readable != KeyRead::Ok) return readable;
    std::memcpy(keys, s.keys, 256);
    s.pads.addHeld(keys);
    return KeyRead::Ok;
}

bool keyboardTakePress(KeyPress& press) {
    auto& s = state();
    if (const std::uint8_t repeat = s.pads.dueRepeat(timeMs()); repeat != 0 && s.focused) s.keyboard.repeated(repeat);
    return s.keyboard.take(press);
}
void keyboardDropPresses() { state().keyboard.dropPresses(); }

}  // namespace plat
