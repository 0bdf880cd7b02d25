// The keys a gamepad stands for: what each button holds and sends, what a held D-pad repeats,
// the stick's dead zone, and several pads at once.
#include "platform/gamepads.h"
#include "platform/scan_codes.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using plat::Gamepads;
using plat::PadAxis;
using plat::PadButton;

std::array<std::uint8_t, 256> held(const Gamepads& pads) {
    std::array<std::uint8_t, 256> state{};
    pads.addHeld(state.data());
    return state;
}

}  // namespace

TEST(Gamepads, EachButtonHoldsAndSendsTheKeyItStandsForOncePerPressAndTheDpadRepeats) {
    struct Row {
        PadButton button;
        std::uint8_t holds;  // 0: nothing held
        std::uint8_t press;
        std::uintptr_t message;
        bool repeats;  // held, its press repeats after 500 ms, then every 80 ms
    };
    const Row rows[] = {
        {PadButton::South, plat::kScanUp, plat::kScanEnter, plat::kVkGamepadA, false},
        {PadButton::East, 0, 0, plat::kVkGamepadB, false},
        {PadButton::Start, 0, plat::kScanEnter, plat::kVkGamepadMenu, false},
        {PadButton::DpadUp, plat::kScanUp, plat::kScanUp, plat::kVkUp, true},
        {PadButton::DpadDown, plat::kScanDown, plat::kScanDown, plat::kVkDown, true},
        {PadButton::DpadLeft, plat::kScanLeft, plat::kScanLeft, plat::kVkLeft, true},
        {PadButton::DpadRight, plat::kScanRight, plat::kScanRight, plat::kVkRight, true},
        {PadButton::Other, 0, 0, 0, false},
    };
    for (const Row& r : rows) {
        Gamepads pads;
        pads.plug(7);
        const std::uint32_t t = 0xFFFFFF00u;  // the clock wraps while it is held
        const plat::PadKey down = pads.button(7, r.button, true, t);
        EXPECT_EQ(down.press, r.press) << static_cast<int>(r.button);
        EXPECT_EQ(down.message, r.message) << static_cast<int>(r.button);
        const auto state = held(pads);
        for (int scan = 0; scan < 256; ++scan)
            EXPECT_EQ(state[scan], scan == r.holds && r.holds != 0 ? plat::kKeyDown : 0) << static_cast<int>(r.button);
        EXPECT_EQ(pads.button(7, r.button, true, t + 400).message, 0u);  // still down: no second press
        const std::uint8_t repeat = r.repeats ? r.press : 0;
        EXPECT_EQ(pads.dueRepeat(t + 499), 0) << static_cast<int>(r.button);
        EXPECT_EQ(pads.dueRepeat(t + 500), repeat) << static_cast<int>(r.button);
        EXPECT_EQ(pads.dueRepeat(t + 579), 0) << static_cast<int>(r.button);
        EXPECT_EQ(pads.dueRepeat(t + 580), repeat) << static_cast<int>(r.button);
        EXPECT_EQ(pads.button(7, r.button, false, t + 600).message, 0u);
        EXPECT_EQ(pads.dueRepeat(t + 2000), 0);
        EXPECT_EQ(held(pads), (std::array<std::uint8_t, 256>{}));
        EXPECT_EQ(pads.button(8, r.button, true, t).message, 0u);  // no such pad
    }
}

TEST(Gamepads, TheStickWalksOnlyPastItsDeadZoneAndLetsGoInsideASmallerOne) {
    struct Row {
        PadAxis axis;
        int value;
        std::uint8_t press;      // the arrow this move presses, 0 for none
        std::uintptr_t message;  // and the key-down message it sends, 0 for none
        int walking;             // -1 left, 0 standing, +1 right
    };
    const Row rows[] = {
        {PadAxis::LeftX, 7999, 0, 0, 0},  // inside the dead zone
        {PadAxis::LeftX, 8000, plat::kScanRight, plat::kVkRight, 1},
        {PadAxis::LeftX, 32767, 0, 0, 1},
        {PadAxis::LeftX, 6000, 0, 0, 1},  // coming back: still pushed
        {PadAxis::LeftX, 5999, 0, 0, 0},
        {PadAxis::LeftX, -8000, plat::kScanLeft, plat::kVkLeft, -1},
        {PadAxis::LeftX, 20000, plat::kScanRight, plat::kVkRight, 1},  // straight across
        {PadAxis::LeftX, -32768, plat::kScanLeft, plat::kVkLeft, -1},
        {PadAxis::LeftY, -9000, plat::kScanUp, plat::kVkUp, -1},  // up chooses; it never jumps
        {PadAxis::LeftY, 9000, plat::kScanDown, plat::kVkDown, -1},
        {PadAxis::Other, 30000, 0, 0, -1},
        {PadAxis::LeftX, 0, 0, 0, 0},
    };
    Gamepads pads;
    pads.plug(1);
    for (const Row& r : rows) {
        const plat::PadKey key = pads.axis(1, r.axis, r.value);
        EXPECT_EQ(key.press, r.press) << r.value;
        EXPECT_EQ(key.message, r.message) << r.value;
        const auto state = held(pads);
        EXPECT_EQ(state[plat::kScanLeft], r.walking < 0 ? plat::kKeyDown : 0) << r.value;
        EXPECT_EQ(state[plat::kScanRight], r.walking > 0 ? plat::kKeyDown : 0) << r.value;
        EXPECT_EQ(state[plat::kScanUp] | state[plat::kScanDown], 0) << r.value;
    }
}

TEST(Gamepads, EveryPadSteersAndOnePulledOutLetsGoOfItsKeys) {
    Gamepads pads;
    pads.plug(1);
    pads.plug(2);
    pads.plug(2);  // announced twice: still one pad
    pads.axis(1, PadAxis::LeftX, 30000);
    pads.button(2, PadButton::South, true, 0);
    auto state = held(pads);
    EXPECT_EQ(state[plat::kScanRight], plat::kKeyDown);
    EXPECT_EQ(state[plat::kScanUp], plat::kKeyDown);
    pads.unplug(2);
    state = held(pads);
    EXPECT_EQ(state[plat::kScanRight], plat::kKeyDown);
    EXPECT_EQ(state[plat::kScanUp], 0);
    pads.unplug(1);
    EXPECT_TRUE(pads.empty());
    EXPECT_EQ(held(pads), (std::array<std::uint8_t, 256>{}));
}
