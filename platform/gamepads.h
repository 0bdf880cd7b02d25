// Gamepads as the game sees them: a second keyboard, kept by each back end from its
// controllers' events. Every pad plugged in steers: the D-pad and the left stick hold the
// arrow keys (the stick only past its dead zone; up and down on the stick choose buttons and
// letters but never jump), the south button holds Up to jump. A button or stick going down
// gives the press for typing and the key-down message of the key it stands for.
#pragma once

#include <cstdint>
#include <vector>

namespace plat {

enum class PadButton : std::uint8_t { South, East, Start, DpadUp, DpadDown, DpadLeft, DpadRight, Other };
enum class PadAxis : std::uint8_t { LeftX, LeftY, Other };

// What one event of a pad sends: a press for typing (scan code, 0 for none) and a key-down
// message (virtual key, 0 for none).
struct PadKey {
    std::uint8_t press = 0;
    std::uintptr_t message = 0;
};

class Gamepads {
public:
    // Stick positions run from -32768 to 32767. A stick counts as pushed once past kDeadZone and
    // until it comes back inside kLetGo, so a stick resting near the edge does not chatter.
    static constexpr int kDeadZone = 8000;
    static constexpr int kLetGo = 6000;

    // A D-pad direction held down repeats its press for typing, as a desktop repeats a held
    // key: first this long after it went down, then at this pace.
    static constexpr std::uint32_t kRepeatDelayMs = 500;
    static constexpr std::uint32_t kRepeatMs = 80;

    void plug(int id);
    void unplug(int id);  // its held keys are let go
    // `nowMs`: when the event came, on the clock dueRepeat is asked with.
    PadKey button(int id, PadButton which, bool down, std::uint32_t nowMs);
    PadKey axis(int id, PadAxis which, int value);
    // Sets bit 0x80 of each key a pad holds.
    void addHeld(std::uint8_t state[256]) const;
    // The press a held D-pad direction repeats by `nowMs` (its scan code), or 0.
    std::uint8_t dueRepeat(std::uint32_t nowMs);
    bool empty() const { return pads_.empty(); }

private:
    struct Pad {
        int id = 0;
        bool buttons[7] = {};  // by PadButton, Other excluded
        std::uint32_t repeatAt[7] = {};
        int stickX = 0;  // -1 left, 0 at rest, +1 right
        int stickY = 0;  // -1 up, 0 at rest, +1 down
    };
    Pad* find(int id);
    std::vector<Pad> pads_;
};

}  // namespace plat
