// PC keyboard scan codes, the indexes of the keyboard snapshot (extended keys at 0x80 and
// above), for the keys the game reads.
#pragma once

#include "platform/platform.h"

#include <cstdint>

namespace plat {

inline constexpr std::uint8_t kScanEnter = 0x1C;
inline constexpr std::uint8_t kScanBackspace = 0x0E;
inline constexpr std::uint8_t kScanTab = 0x0F;
inline constexpr std::uint8_t kScanSpace = 0x39;
inline constexpr std::uint8_t kScanKeypadEnter = 0x9C;
inline constexpr std::uint8_t kScanUp = 0xC8;
inline constexpr std::uint8_t kScanLeft = 0xCB;
inline constexpr std::uint8_t kScanRight = 0xCD;
inline constexpr std::uint8_t kScanDown = 0xD0;
// The letters A to Z, in the alphabet's order.
inline constexpr std::uint8_t kScanLetters[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17, 0x24, 0x25, 0x26, 0x32,
                                                  0x31, 0x18, 0x19, 0x10, 0x13, 0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
// A key is down while this bit of its byte is set.
inline constexpr std::uint8_t kKeyDown = 0x80;

// The key-down message a key sends besides Escape, 0 for none.
constexpr std::uintptr_t virtualKeyOf(std::uint8_t scan) {
    switch (scan) {
    case kScanEnter:
    case kScanKeypadEnter:
        return kVkReturn;
    case kScanSpace:
        return kVkSpace;
    case kScanTab:
        return kVkTab;
    case kScanLeft:
        return kVkLeft;
    case kScanUp:
        return kVkUp;
    case kScanRight:
        return kVkRight;
    case kScanDown:
        return kVkDown;
    default:
        return 0;
    }
}

}  // namespace plat
