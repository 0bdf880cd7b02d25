// The keyboard source's life, written once for every back end: the input object, the keyboard
// made on it, acquisition that only a window in the foreground can have and that leaving the
// foreground takes away, and the presses kept for typing. A back end says whether its window
// is in front and fills the snapshot; the rules of when it may are here.
#pragma once

#include "platform/key_presses.h"
#include "platform/platform.h"

#include <cstdint>

namespace plat {

class KeyboardSource {
public:
    void createInput() { input_ = true; }
    void releaseInput() { input_ = false; }
    // A keyboard needs the input object.
    bool create();
    // Only a keyboard that exists, and only while the window is in front.
    bool acquire(bool inFront);
    void unacquire() { acquired_ = false; }
    // The keyboard goes, and the presses not yet taken with it.
    void release();
    // Ok when the snapshot may be read now; InputLost (and no longer acquired) when it was not
    // acquired or the window is not in front; Failed without a keyboard.
    KeyRead readable(bool inFront);
    // The window left the foreground: acquisition and the presses not yet taken are lost.
    void leftForeground();
    // A key went down while the window was in front: kept for typing when the keyboard exists.
    // `letter` is the character the desktop's layout types with it (0 when none or unknown).
    void pressed(std::uint8_t scanCode, char32_t letter = 0);
    // The desktop repeats a held key: kept for typing when the keyboard exists.
    void repeated(std::uint8_t scanCode, char32_t letter = 0) {
        if (created_) presses_.pushRepeat(scanCode, letter);
    }
    // A key let go: its repeat still waiting is dropped.
    void released(std::uint8_t scanCode) { presses_.released(scanCode); }
    bool take(KeyPress& press) { return presses_.take(press); }
    void dropPresses() { presses_.clear(); }

    bool inputExists() const { return input_; }
    bool exists() const { return created_; }
    bool acquired() const { return acquired_; }

private:
    bool input_ = false;
    bool created_ = false;
    bool acquired_ = false;
    KeyPresses presses_;
};

}  // namespace plat
