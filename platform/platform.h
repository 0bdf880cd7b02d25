// What the operating system gives the game: window and messages, clock, cursor, message box,
// keyboard snapshot, presenting frames, picture decoding, text rasterising, module music and
// file opening. Three back ends implement this header (SDL2 for the desktop, the browser's own
// interfaces for a page, headless for the tests); the link decides which one a program gets.
// Game code includes only this header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace plat {

// ---- clock ---------------------------------------------------------------------------------
// Milliseconds since some start, wrapping modulo 2^32.
std::uint32_t timeMs();

// ---- window and message queue ------------------------------------------------------------
// Message numbers are the classic window-message numbers, so the window procedure reads the
// way the game was designed.
inline constexpr std::uint32_t kMsgDestroy = 0x0002;
inline constexpr std::uint32_t kMsgClose = 0x0010;
inline constexpr std::uint32_t kMsgQuit = 0x0012;
inline constexpr std::uint32_t kMsgActivateApp = 0x001C;
inline constexpr std::uint32_t kMsgKeyDown = 0x0100;
inline constexpr std::uint32_t kMsgLButtonUp = 0x0202;
// Key-down messages come for Escape, for the keys that choose and press on-screen buttons
// (Enter, Space, Tab and the arrows) and for a gamepad's south, east and Start buttons, under
// the virtual-key numbers the system gives them. A key held down sends one message.
inline constexpr std::uintptr_t kVkEscape = 0x1B;
inline constexpr std::uintptr_t kVkTab = 0x09;
inline constexpr std::uintptr_t kVkReturn = 0x0D;
inline constexpr std::uintptr_t kVkSpace = 0x20;
inline constexpr std::uintptr_t kVkLeft = 0x25;
inline constexpr std::uintptr_t kVkUp = 0x26;
inline constexpr std::uintptr_t kVkRight = 0x27;
inline constexpr std::uintptr_t kVkDown = 0x28;
inline constexpr std::uintptr_t kVkGamepadA = 0xC3;     // the south button (A, cross)
inline constexpr std::uintptr_t kVkGamepadB = 0xC4;     // the east button (B, circle)
inline constexpr std::uintptr_t kVkGamepadMenu = 0xCF;  // Start

struct Message {
    std::uint32_t id = 0;
    std::uintptr_t value = 0;  // the key (key-down), the activation flag, or the exit code (quit)
    std::intptr_t where = 0;   // a click's point (clickParam)
};

// The window procedure gets back the owner pointer given to createWindow.
using WindowProc = std::intptr_t (*)(void* owner, std::uint32_t id, std::uintptr_t value, std::intptr_t where);

// Creates and shows the game window (caption and class name `title`, Windows-1250 bytes) with a
// logical frame of width x height. False when no window can be made.
bool createWindow(const char* title, WindowProc proc, void* owner, int width, int height);
// True while the window made by createWindow exists.
bool windowExists();
// Takes at most one pending message, removing it. False when the queue is empty.
bool peekMessage(Message& msg);
// Hands a message taken by peekMessage to the window procedure.
std::intptr_t dispatchMessage(const Message& msg);
// The default handling: a close message destroys the window, which sends the destroy message
// to the window procedure before this returns. Everything else is ignored.
std::intptr_t defaultWindowProc(std::uint32_t id, std::uintptr_t value, std::intptr_t where);
// Sends the close message synchronously to the window procedure; nothing when it is gone.
void sendClose();
// Queues the quit message carrying the exit code.
void postQuitMessage(int exitCode);
// Sleeps until an event arrives or the timeout passes (the host's nap while the window is in
// the background).
void waitForEvent(int timeoutMs);
// Sleeps for `ms` milliseconds whatever arrives (the host's wait for a curtain's next cell).
void sleepMs(std::uint32_t ms);

// ---- cursor and message box --------------------------------------------------------------
struct Point {
    int x = 0;
    int y = 0;
};
// A click's point as its message carries it: x in the low 16 bits, y above, each signed.
constexpr std::intptr_t clickParam(Point p) { return static_cast<std::intptr_t>((p.y << 16) | (p.x & 0xFFFF)); }
constexpr Point clickPoint(std::intptr_t param) {
    return {static_cast<std::int16_t>(param & 0xFFFF), static_cast<std::int16_t>((param >> 16) & 0xFFFF)};
}
// Mouse position in frame coordinates (0..width-1, 0..height-1).
Point cursorPos();
void showCursor(bool show);
// A modal message box with one OK button and a stop icon; texts are Windows-1250 bytes.
void messageBox(const char* textCp1250, const char* captionCp1250);
// The same with texts in UTF-8, whose lines are broken already (a translation's "\n").
void messageBoxUtf8(const char* text, const char* caption);

// ---- keyboard ----------------------------------------------------------------------------
// A shared, foreground-only keyboard source giving a 256-byte snapshot indexed by PC scan
// codes (extended keys at 0x80 and above); bit 0x80 marks a key that is down. Gamepads,
// plugged in before or during the game, count as a second keyboard: the D-pad and the left
// stick hold the arrow keys, the south button holds Up; their presses reach the snapshot, the
// presses for typing and the key-down messages as the keys they stand for.
enum class KeyRead { Ok, InputLost, Failed };
bool inputCreate();  // the input object
void inputRelease();
bool keyboardCreate();   // the keyboard source, bound to the window
bool keyboardAcquire();  // false while the window is not in the foreground
void keyboardUnacquire();
void keyboardRelease();
// Fills `state` only when it returns Ok; otherwise the buffer is left as it was.
KeyRead keyboardRead(std::uint8_t state[256]);
// Key presses for typing, oldest first, by scan code: a key going down while the window has
// the foreground, however briefly; a key still held when the window comes back is none. The
// desktop's repeats of a held key come among them marked `repeat`, at the desktop's delay and
// rate (a gamepad's D-pad held repeats alike, after half a second, every 80 ms); a repeat not
// taken before its key is let go is dropped. Leaving the foreground drops the presses not yet
// taken.
struct KeyPress {
    std::uint8_t scanCode = 0;
    bool repeat = false;
    // The character the desktop's keyboard layout types with the key (a code point, small or
    // capital as the layout gives it), 0 when none or not known.
    char32_t letter = 0;
};
bool keyboardTakePress(KeyPress& press);
void keyboardDropPresses();

// ---- presenting frames -------------------------------------------------------------------
// The video device: a width x height frame of RGB565 pixels shown in the window.
enum class VideoStep { Device, CooperativeLevel, DisplayMode };
bool videoStart(VideoStep step, int width, int height, int bitsPerPixel);
// Pixel layout of the visible picture (masks of red, green and blue).
bool videoPixelMasks(std::uint32_t& red, std::uint32_t& green, std::uint32_t& blue);
// Shows a frame of RGB565 pixels (pitch in pixels). waitForRefresh: a flip waits for the
// display's refresh; direct drawing on the visible picture does not. False when the visible
// picture was lost.
bool videoPresent(const std::uint16_t* pixels, int pitch, bool waitForRefresh);
void videoStop();

// ---- pictures ----------------------------------------------------------------------------
// Decodes a BMP file into width x height RGB565 pixels (scaled when the file has another
// size; pure black -> 0, pure white -> 0xFFFF). Refuses files whose header is absurd. False
// when the file is missing, refused or undecodable; `out` is then untouched.
bool decodePicture(const char* path, int width, int height, std::vector<std::uint16_t>& out);

// ---- text ----------------------------------------------------------------------------------
// A rasterised line of text: an 8-bit coverage mask and where it sits relative to the pen.
struct TextImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;  // width * height, 0..255
};
// Rasterises Windows-1250 bytes in the game's text font (DejaVu Sans Bold at 12 points, whose
// lines fit the 15-pixel spacing of the game's boxes). The image's top-left corner is the pen
// position given to the text output. Results are meant to be cached by the caller. False when
// the text is empty.
bool rasteriseText(const char* cp1250, int length, TextImage& out);
// The same for UTF-8 text, in any language the font's data covers (Latin, Polish, Cyrillic); a
// character it lacks is the font's missing-glyph box.
bool rasteriseUtf8(const char* utf8, int length, TextImage& out);

// ---- module music --------------------------------------------------------------------------
using SongHandle = int;  // 0: none
// A module file longer than this is refused as damaged (no song, silence); real modules,
// samples and all, stay far below it.
inline constexpr std::size_t kMaxModuleBytes = std::size_t{32} << 20;
bool musicInit(int mixRate, int channels);
SongHandle musicLoad(const char* path);
void musicSetVolume(SongHandle song, int volume);  // 0..256 on the sound library's scale
void musicSetLooping(SongHandle song, bool loop);
void musicPlay(SongHandle song);
void musicStop(SongHandle song);
void musicFree(SongHandle song);
void musicClose();

// ---- files -------------------------------------------------------------------------------
// The game's own file names ("level\level1.lvl"): the backslash is a folder separator. The
// game's folder may hold anything, so no open ever waits and only regular files are used: a
// folder, FIFO, socket or device in a file's place is refused like a file that cannot be
// opened (errno is ENOENT only for a file that is missing).
//
// fopen with mode "r" or "rb" (reads a regular file; links are followed, the installed game
// reaches its data through them), "w"/"wb" (truncates) or "a"/"ab" (appends): a regular file
// or, when missing, a new one, never written through a link.
std::FILE* openFile(const char* name, const char* mode);
// The whole file, read as openFile reads; false when it cannot be opened or holds more than
// maxBytes bytes (`bytes` is then untouched).
bool readFile(const char* name, std::size_t maxBytes, std::vector<std::uint8_t>& bytes);
// Puts `size` bytes in place of the file `name` in one step: they go to a new file of a fresh
// name in the same folder, made exclusively (never an existing file, never through a link),
// which is written, synced and renamed over `name`. False when a step fails; `name` is then as
// it was and the new file is gone.
bool replaceFile(const char* name, const void* bytes, std::size_t size);
// An advisory lock (flock) on the file `name`, which is made when missing (never through a
// link, only a regular file), shared by every process that takes it so: while one holds it,
// another waits, at most `waitMs` milliseconds. The handle to unlockFile, or -1 (errno says why;
// ETIMEDOUT when the wait ran out).
int lockFile(const char* name, int waitMs);
void unlockFile(int handle);

}  // namespace plat
