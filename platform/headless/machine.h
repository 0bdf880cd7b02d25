// The headless back end's one machine, shared by its platform side (headless.cpp) and the
// test controls (controls.cpp).
#pragma once

#include "platform/gamepads.h"
#include "platform/headless.h"
#include "platform/keyboard_source.h"
#include "platform/platform.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace plat::headless {

struct Machine {
    std::uint32_t time = 0;
    std::uint32_t step = 0;
    std::deque<Message> queue;
    std::function<void()> pollHook;
    bool inHook = false;
    std::uint64_t polls = 0;
    std::vector<Input> inputs;
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
    char32_t layout[256] = {};  // the character each key types on the layout, 0 for none
    KeyboardSource keyboard;
    Gamepads pads;
    // failures
    bool fail[16] = {};
    std::uint32_t red = 0xF800, green = 0x07E0, blue = 0x001F;
    bool videoDevice = false;
    bool videoMode = false;
    int width = 0;  // the frame's size, as the game set the mode
    int height = 0;
    // recordings
    std::vector<MessageBoxRecord> boxes;
    Frame last;
    std::function<void(const Frame&)> presentHook;
    bool keep = false;
    std::vector<Frame> frames;
    std::size_t presents = 0;
    std::size_t flips = 0;
    std::vector<MusicCall> music;
    bool songLoaded = false;
    int volume = -1;
    int musicAtDestroy = -1;
};

Machine& m();

inline bool failing(Fail f) { return m().fail[static_cast<int>(f)]; }

// Keeps a control call in the script as played (inputs()).
void keepInput(InputKind kind, std::int64_t a = 0, std::int64_t b = 0, std::int64_t c = 0);

// A key (or a gamepad's button) going down while the window is in front: a press for typing
// when the keyboard is there, and its key-down message.
void keyWentDown(std::uint8_t press, std::uintptr_t message);

}  // namespace plat::headless
