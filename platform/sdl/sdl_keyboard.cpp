// The keyboard as a 256-byte snapshot indexed by PC scan codes, built from SDL's keyboard
// state, and the presses for typing, from SDL's key events. Shared and foreground-only: when
// the window loses the foreground the source loses acquisition, and a read reports lost input
// until it is acquired again.
#include "platform/keyboard_source.h"
#include "platform/platform.h"
#include "platform/scan_codes.h"
#include "platform/sdl/sdl_state.h"

#include <SDL.h>

#include <array>
#include <cstring>

namespace plat {

namespace {

KeyboardSource& kb() {
    static auto* k = new KeyboardSource;
    return *k;
}

// SDL scancode -> PC scan code (extended keys at 0x80 and above), for every key of a standard
// keyboard.
constexpr std::array<std::uint8_t, SDL_NUM_SCANCODES> makeScanTable() {
    std::array<std::uint8_t, SDL_NUM_SCANCODES> t{};
    for (int i = 0; i < 26; ++i) t[SDL_SCANCODE_A + i] = kScanLetters[i];
    for (int i = 0; i < 9; ++i) t[SDL_SCANCODE_1 + i] = static_cast<std::uint8_t>(0x02 + i);
    t[SDL_SCANCODE_0] = 0x0B;
    t[SDL_SCANCODE_RETURN] = 0x1C;
    t[SDL_SCANCODE_ESCAPE] = 0x01;
    t[SDL_SCANCODE_BACKSPACE] = 0x0E;
    t[SDL_SCANCODE_TAB] = 0x0F;
    t[SDL_SCANCODE_SPACE] = 0x39;
    t[SDL_SCANCODE_MINUS] = 0x0C;
    t[SDL_SCANCODE_EQUALS] = 0x0D;
    t[SDL_SCANCODE_LEFTBRACKET] = 0x1A;
    t[SDL_SCANCODE_RIGHTBRACKET] = 0x1B;
    t[SDL_SCANCODE_BACKSLASH] = 0x2B;
    t[SDL_SCANCODE_NONUSHASH] = 0x2B;
    t[SDL_SCANCODE_SEMICOLON] = 0x27;
    t[SDL_SCANCODE_APOSTROPHE] = 0x28;
    t[SDL_SCANCODE_GRAVE] = 0x29;
    t[SDL_SCANCODE_COMMA] = 0x33;
    t[SDL_SCANCODE_PERIOD] = 0x34;
    t[SDL_SCANCODE_SLASH] = 0x35;
    t[SDL_SCANCODE_CAPSLOCK] = 0x3A;
    for (int i = 0; i < 10; ++i) t[SDL_SCANCODE_F1 + i] = static_cast<std::uint8_t>(0x3B + i);
    t[SDL_SCANCODE_F11] = 0x57;
    t[SDL_SCANCODE_F12] = 0x58;
    t[SDL_SCANCODE_PRINTSCREEN] = 0xB7;
    t[SDL_SCANCODE_SCROLLLOCK] = 0x46;
    t[SDL_SCANCODE_PAUSE] = 0xC5;
    t[SDL_SCANCODE_INSERT] = 0xD2;
    t[SDL_SCANCODE_HOME] = 0xC7;
    t[SDL_SCANCODE_PAGEUP] = 0xC9;
    t[SDL_SCANCODE_DELETE] = 0xD3;
    t[SDL_SCANCODE_END] = 0xCF;
    t[SDL_SCANCODE_PAGEDOWN] = 0xD1;
    t[SDL_SCANCODE_RIGHT] = 0xCD;
    t[SDL_SCANCODE_LEFT] = 0xCB;
    t[SDL_SCANCODE_DOWN] = 0xD0;
    t[SDL_SCANCODE_UP] = 0xC8;
    t[SDL_SCANCODE_NUMLOCKCLEAR] = 0x45;
    t[SDL_SCANCODE_KP_DIVIDE] = 0xB5;
    t[SDL_SCANCODE_KP_MULTIPLY] = 0x37;
    t[SDL_SCANCODE_KP_MINUS] = 0x4A;
    t[SDL_SCANCODE_KP_PLUS] = 0x4E;
    t[SDL_SCANCODE_KP_ENTER] = 0x9C;
    const std::uint8_t keypad[10] = {0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49, 0x52};  // 1..9, 0
    for (int i = 0; i < 10; ++i) t[SDL_SCANCODE_KP_1 + i] = keypad[i];
    t[SDL_SCANCODE_KP_PERIOD] = 0x53;
    t[SDL_SCANCODE_NONUSBACKSLASH] = 0x56;
    t[SDL_SCANCODE_APPLICATION] = 0xDD;
    t[SDL_SCANCODE_KP_EQUALS] = 0x8D;
    t[SDL_SCANCODE_LCTRL] = 0x1D;
    t[SDL_SCANCODE_LSHIFT] = 0x2A;
    t[SDL_SCANCODE_LALT] = 0x38;
    t[SDL_SCANCODE_LGUI] = 0xDB;
    t[SDL_SCANCODE_RCTRL] = 0x9D;
    t[SDL_SCANCODE_RSHIFT] = 0x36;
    t[SDL_SCANCODE_RALT] = 0xB8;
    t[SDL_SCANCODE_RGUI] = 0xDC;
    // Keys of larger and national keyboards.
    t[SDL_SCANCODE_F13] = 0x64;
    t[SDL_SCANCODE_F14] = 0x65;
    t[SDL_SCANCODE_F15] = 0x66;
    t[SDL_SCANCODE_KP_COMMA] = 0xB3;
    t[SDL_SCANCODE_INTERNATIONAL1] = 0x73;  // Ro
    t[SDL_SCANCODE_INTERNATIONAL2] = 0x70;  // Kana
    t[SDL_SCANCODE_INTERNATIONAL3] = 0x7D;  // Yen
    t[SDL_SCANCODE_INTERNATIONAL4] = 0x79;  // Convert
    t[SDL_SCANCODE_INTERNATIONAL5] = 0x7B;  // No convert
    t[SDL_SCANCODE_MUTE] = 0xA0;
    t[SDL_SCANCODE_VOLUMEDOWN] = 0xAE;
    t[SDL_SCANCODE_VOLUMEUP] = 0xB0;
    t[SDL_SCANCODE_AUDIONEXT] = 0x99;
    t[SDL_SCANCODE_AUDIOPREV] = 0x90;
    t[SDL_SCANCODE_AUDIOSTOP] = 0xA4;
    t[SDL_SCANCODE_AUDIOPLAY] = 0xA2;
    t[SDL_SCANCODE_CALCULATOR] = 0xA1;
    t[SDL_SCANCODE_POWER] = 0xDE;
    t[SDL_SCANCODE_SLEEP] = 0xDF;
    return t;
}

constexpr auto kScanTable = makeScanTable();

// The PC scan code an SDL key stands for, 0 for none.
std::uint8_t pcScanCode(SDL_Scancode sc) {
    const SDL_Keycode key = SDL_GetKeyFromScancode(sc);
    // Letters follow the user's layout: a German keyboard's Z key types Z.
    if (key >= SDLK_a && key <= SDLK_z) return kScanLetters[key - SDLK_a];
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) {
        // A letter position without a Latin letter. On a layout with no Latin letters at all
        // (Cyrillic, Greek) it types the letter of its position; where it carries an ASCII sign
        // (the French M position carries a comma) it types nothing.
        const bool nonLatinLetter = key >= 0x80 && (key & SDLK_SCANCODE_MASK) == 0;
        return nonLatinLetter ? kScanTable[sc] : 0;
    }
    return kScanTable[sc];
}

// The window has the keyboard. SDL learns the focus while it pumps the system's events, which
// may not have happened yet when the keyboard is first acquired at start-up.
bool windowHasFocus() {
    const auto& s = sdl::state();
    if (s.focused) return true;
    if (s.window == nullptr) return false;
    SDL_PumpEvents();
    return SDL_GetKeyboardFocus() == s.window;
}

}  // namespace

namespace sdl {
void keyboardFocusChanged(bool focused) {
    if (!focused) kb().leftForeground();
}

// The character a key types on the desktop's layout: SDL gives a key of a printable character
// its code point (small), another key a value with SDLK_SCANCODE_MASK.
char32_t layoutLetter(const SDL_Keysym& key) {
    return key.sym >= 0x20 && (key.sym & SDLK_SCANCODE_MASK) == 0 ? static_cast<char32_t>(key.sym) : 0;
}

void keyPressed(const SDL_Keysym& key) {
    const bool altEnter = (key.scancode == SDL_SCANCODE_RETURN || key.scancode == SDL_SCANCODE_KP_ENTER) &&
                          (key.mod & KMOD_ALT) != 0;
    if (altEnter) return;
    const std::uint8_t scan = pcScanCode(key.scancode);
    if (const std::uintptr_t message = virtualKeyOf(scan); message != 0) postMessage({kMsgKeyDown, message, 0});
    kb().pressed(scan, layoutLetter(key));
}

void keyRepeated(const SDL_Keysym& key) { kb().repeated(pcScanCode(key.scancode), layoutLetter(key)); }

void keyReleased(const SDL_Keysym& key) { kb().released(pcScanCode(key.scancode)); }

void padKeyPressed(std::uint8_t scanCode) {
    if (state().focused) kb().pressed(scanCode);
}
}  // namespace sdl

bool inputCreate() {
    kb().createInput();
    sdl::gamepadsOpen();
    return true;
}

void inputRelease() {
    sdl::gamepadsClose();
    kb().releaseInput();
}

bool keyboardCreate() { return kb().create(); }

bool keyboardAcquire() { return kb().acquire(windowHasFocus()); }

void keyboardUnacquire() { kb().unacquire(); }

void keyboardRelease() { kb().release(); }

KeyRead keyboardRead(std::uint8_t state[256]) {
    if (const KeyRead readable = kb().readable(windowHasFocus()); readable != KeyRead::Ok) return readable;
    SDL_PumpEvents();
    std::memset(state, 0, 256);
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    for (int sc = 0; sc < count && sc < SDL_NUM_SCANCODES; ++sc) {
        if (keys[sc] == 0) continue;
        const std::uint8_t scan = pcScanCode(static_cast<SDL_Scancode>(sc));
        if (scan != 0) state[scan] = 0x80;
    }
    // Alt+Enter switches between full screen and a window; that Enter is not the game's.
    if ((SDL_GetModState() & KMOD_ALT) != 0) {
        state[kScanEnter] = 0;
        state[kScanKeypadEnter] = 0;
    }
    sdl::addGamepadKeys(state);
    return KeyRead::Ok;
}

bool keyboardTakePress(KeyPress& press) {
    if (const std::uint8_t repeat = sdl::gamepadRepeat(); repeat != 0) kb().repeated(repeat);
    return kb().take(press);
}

void keyboardDropPresses() { kb().dropPresses(); }

}  // namespace plat
