// Controls of the headless back end, for tests only: a scripted clock, scripted messages,
// keys, gamepads and mouse, failure injection, recorded message boxes and music calls, captured
// frames, and the script itself kept as it was played. Nothing here exists in the SDL back end.
#pragma once

#include "platform/gamepads.h"
#include "platform/platform.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace plat::headless {

// Everything back to a fresh machine: clock 0 with step 0, no window, empty queue, keys up,
// no failures, recordings cleared, no hook.
void reset();

// ---- clock: moves only when the test moves it, or by `step` on every read ------------------
void setTime(std::uint32_t ms);
void advance(std::uint32_t ms);
void setTimeStep(std::uint32_t msPerRead);
std::uint32_t peekTime();  // the clock without advancing it

// ---- messages and activation -------------------------------------------------------------
void postMessage(const Message& msg);
void postClick(int x, int y);  // moves the mouse there, then queues a left-button-up
void postEscape();
void postSystemClose();  // the window manager's close request
// Activation change as the window manager reports it: queues the activation message and
// makes the keyboard lose acquisition when the window leaves the foreground.
void setForeground(bool foreground);
std::size_t pendingMessages();

// Called on every peekMessage, before the queue is looked at: the test's script sees the game
// between passes and may post messages, move the clock, press keys.
void setPollHook(std::function<void()> hook);
// The peekMessage calls so far: the number of the poll whose hook is running.
std::uint64_t polls();

// ---- mouse and keyboard --------------------------------------------------------------------
void setMouse(int x, int y);
bool cursorVisible();
// Every showCursor call in order (true: show), to see that the game only calls it on a change.
const std::vector<bool>& cursorCalls();
// A key going down while the window has the foreground is also a press (see
// keyboardTakePress).
void setKey(std::uint8_t scanCode, bool down);
// The desktop repeats the key `scanCode`, if it is held (see keyboardTakePress).
void repeatKey(std::uint8_t scanCode);
// The character the desktop's layout types with the key `scanCode` from now on (0: none known),
// as a Ukrainian layout types Cyrillic letters; kept until reset.
void setLayoutLetter(std::uint8_t scanCode, char32_t letter);
void releaseAllKeys();
bool keyboardAcquired();
bool keyboardExists();
bool inputExists();
// Gamepads, plugged in and out at any time, several at once (`id` names each). A button or
// the stick going down while the window is in front sends what its key would.
void plugPad(int id);
void unplugPad(int id);
void setPadButton(int id, PadButton button, bool down);
void setPadAxis(int id, PadAxis axis, int value);  // -32768 .. 32767

// ---- failure injection ---------------------------------------------------------------------
enum class Fail {
    CreateWindow,
    VideoDevice,
    VideoCooperativeLevel,
    VideoDisplayMode,
    VideoPixelFormat,
    Present,  // every present reports a lost picture
    InputCreate,
    KeyboardCreate,
    KeyboardAcquire,
    MusicInit,
};
void setFail(Fail what, bool fail);
// Pixel layout the headless display reports (5-6-5 unless told otherwise).
void setPixelMasks(std::uint32_t red, std::uint32_t green, std::uint32_t blue);

// ---- recordings ------------------------------------------------------------------------------
struct MessageBoxRecord {
    std::string text;  // Windows-1250 bytes as passed (UTF-8 from messageBoxUtf8)
    std::string caption;
    std::string shown;  // the text as the box shows it, long lines wrapped
};
const std::vector<MessageBoxRecord>& messageBoxes();
bool windowCreated();
std::string windowTitle();

struct Frame {
    std::vector<std::uint16_t> pixels;  // the frame's RGB565 pixels, row after row
    bool flip = false;                  // a flip, not a direct draw on the visible picture
};
// Called with every presented frame as it is presented.
void setPresentHook(std::function<void(const Frame&)> hook);
std::size_t presentCount();  // every present
std::size_t flipCount();     // presents that were flips
const Frame& lastFrame();    // the most recent present
// Keep every presented frame (off by default: a whole game presents thousands).
void keepFrames(bool keep);
const std::vector<Frame>& frames();

struct MusicCall {
    std::string what;  // "init", "load", "volume", "loop", "play", "stop", "free", "close"
    int value = 0;
};
const std::vector<MusicCall>& musicCalls();
int musicVolume();  // last volume set on a loaded song, -1 when none
// How many music calls had been recorded when the window was destroyed; -1 while it lives.
int musicCallsAtDestroy();

// ---- the script as it was played ---------------------------------------------------------------
// Every control of the clock, the messages, the activation, the mouse, the keys and the gamepads
// above is kept in order with the poll it came in (0 before the first poll), so that a game
// played by any script can be written down and played again the same.
enum class InputKind : std::uint8_t {
    Time,         // setTime(a)
    Advance,      // advance(a)
    TimeStep,     // setTimeStep(a)
    Message,      // postMessage({a, b, c})
    Click,        // postClick(a, b)
    Escape,       // postEscape()
    Close,        // postSystemClose()
    Foreground,   // setForeground(a != 0)
    Mouse,        // setMouse(a, b)
    Key,          // setKey(a, b != 0)
    ReleaseKeys,  // releaseAllKeys()
    Plug,         // plugPad(a)
    Unplug,       // unplugPad(a)
    PadButton,    // setPadButton(a, PadButton(b), c != 0)
    PadAxis,      // setPadAxis(a, PadAxis(b), c)
    Repeat,       // repeatKey(a)
};
struct Input {
    std::uint64_t poll = 0;
    InputKind kind = InputKind::Time;
    std::int64_t a = 0;
    std::int64_t b = 0;
    std::int64_t c = 0;
    friend bool operator==(const Input&, const Input&) = default;
};
const std::vector<Input>& inputs();
// Makes the control call that `input` stands for (which keeps it again, at the present poll).
void apply(const Input& input);

}  // namespace plat::headless
