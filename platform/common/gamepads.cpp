// The keys a gamepad stands for, shared by both back ends.
#include "platform/gamepads.h"

#include "platform/scan_codes.h"

#include <algorithm>
#include <iterator>

namespace plat {

namespace {

// The key each button stands for: the key it holds down (for walking and jumping), its press
// for typing and its key-down message.
struct ButtonKeys {
    std::uint8_t held;
    PadKey sends;
};

constexpr ButtonKeys kButtonKeys[] = {
    {kScanUp, {kScanEnter, kVkGamepadA}},  // South: jumps; presses a button, ends a name
    {0, {0, kVkGamepadB}},                 // East: pauses and resumes
    {0, {kScanEnter, kVkGamepadMenu}},     // Start: pauses and resumes; ends a name
    {kScanUp, {kScanUp, kVkUp}},
    {kScanDown, {kScanDown, kVkDown}},
    {kScanLeft, {kScanLeft, kVkLeft}},
    {kScanRight, {kScanRight, kVkRight}},
};
static_assert(std::size(kButtonKeys) == static_cast<std::size_t>(PadButton::Other));

// -1, 0 or +1 for a stick at `value`, pushed that way before when `was` is not 0.
int stickDirection(int was, int value) {
    if (value >= Gamepads::kDeadZone || (was > 0 && value >= Gamepads::kLetGo)) return 1;
    if (value <= -Gamepads::kDeadZone || (was < 0 && value <= -Gamepads::kLetGo)) return -1;
    return 0;
}

}  // namespace

Gamepads::Pad* Gamepads::find(int id) {
    const auto it = std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
    return it == pads_.end() ? nullptr : &*it;
}

void Gamepads::plug(int id) {
    if (find(id) == nullptr) pads_.push_back(Pad{id});
}

void Gamepads::unplug(int id) {
    std::erase_if(pads_, [id](const Pad& p) { return p.id == id; });
}

PadKey Gamepads::button(int id, PadButton which, bool down, std::uint32_t nowMs) {
    Pad* pad = find(id);
    if (pad == nullptr || which == PadButton::Other) return {};
    const int b = static_cast<int>(which);
    const bool pressed = down && !pad->buttons[b];
    pad->buttons[b] = down;
    if (pressed) pad->repeatAt[b] = nowMs + kRepeatDelayMs;
    return pressed ? kButtonKeys[b].sends : PadKey{};
}

std::uint8_t Gamepads::dueRepeat(std::uint32_t nowMs) {
    for (Pad& pad : pads_) {
        for (int b = static_cast<int>(PadButton::DpadUp); b <= static_cast<int>(PadButton::DpadRight); ++b) {
            if (!pad.buttons[b] || static_cast<std::int32_t>(nowMs - pad.repeatAt[b]) < 0) continue;
            pad.repeatAt[b] = nowMs + kRepeatMs;
            return kButtonKeys[b].sends.press;
        }
    }
    return 0;
}

PadKey Gamepads::axis(int id, PadAxis which, int value) {
    Pad* pad = find(id);
    if (pad == nullptr || which == PadAxis::Other) return {};
    int& direction = which == PadAxis::LeftX ? pad->stickX : pad->stickY;
    const int was = direction;
    direction = stickDirection(was, value);
    if (direction == 0 || direction == was) return {};
    const std::uint8_t key = which == PadAxis::LeftX ? (direction < 0 ? kScanLeft : kScanRight)
                                                     : (direction < 0 ? kScanUp : kScanDown);
    return {key, virtualKeyOf(key)};
}

void Gamepads::addHeld(std::uint8_t state[256]) const {
    for (const Pad& pad : pads_) {
        for (int b = 0; b < static_cast<int>(std::size(kButtonKeys)); ++b)
            if (pad.buttons[b] && kButtonKeys[b].held != 0) state[kButtonKeys[b].held] = kKeyDown;
        if (pad.stickX < 0) state[kScanLeft] = kKeyDown;
        if (pad.stickX > 0) state[kScanRight] = kKeyDown;
    }
}

}  // namespace plat
