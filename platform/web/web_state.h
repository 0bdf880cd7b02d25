// State the browser back end's files share: the window procedure and its queue, the keys and
// pads held, the mouse, whether the page has the focus, and the gamepads.
#pragma once

#include "platform/gamepads.h"
#include "platform/keyboard_source.h"
#include "platform/platform.h"

#include <cstdint>
#include <deque>

namespace plat::web {

struct PageState {
    WindowProc proc = nullptr;
    void* owner = nullptr;
    bool windowAlive = false;
    bool focused = true;  // a page comes up in front, as a new window does
    std::deque<Message> queue;
    int frameWidth = 640;
    int frameHeight = 480;
    Point mouse;
    // Where the mouse was when the last frame was shown, and the clicks made elsewhere since,
    // which wait for a frame that saw the mouse at their point.
    Point mouseShown{-1, -1};
    std::deque<Message> clicksAfterFrame;
    std::uint8_t keys[256] = {};
    KeyboardSource keyboard;
    Gamepads pads;
};

PageState& state();

// Starts listening to the page's keys, mouse, touch controls, focus and full-screen button
// (web_input.cpp); reads the pads plugged in, once per poll.
void listen();
void pollGamepads();
// A key or pad button went down while the page is in front: its press and key-down message.
void keyWentDown(std::uint8_t press, std::uintptr_t message, char32_t letter = 0);
// A frame was shown, drawn with the mouse where it is now: the clicks waiting for it are queued.
void frameShown();

}  // namespace plat::web
