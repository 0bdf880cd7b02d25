// The trap finder: proves with the game's own movement and collection code that a level has
// no place the figure can reach from which it can no longer reach every token it could reach
// from the start (a one-way ledge, a pit, a fall off the grid).
//
// It explores every state the figure can reach, whatever tokens are gone: position, facing and
// jump (unused, rising with so many jump steps spent, or used). The moves are a child's
// ordinary ones, one per 10 ms step: no key, Left, Right, and Up alone or with a side to start
// a jump on the ground and hold it while it rises. Not counted: Up pressed in mid-air (after
// letting go of a jump, or after walking off an edge with the jump unused), and standing on a
// block's top edge that lies higher than the lowest few pixels of the figure (the ground test
// allows it when the figure turns round in mid-air beside a wall). Neither is a way out a child
// is expected to find.
#pragma once

#include "lessons/level.h"

#include <cstdint>

namespace solver {

struct TrapReport {
    long states = 0;              // states explored
    std::uint32_t reachable = 0;  // tokens the figure can touch from the start (bit i: token i)
    bool trapped = false;
    bool fallsOff = false;   // the figure can leave the grid and fall for ever
    std::int32_t trapX = 0;  // the figure's top-left at a place of the trap, on the
    std::int32_t trapY = 0;  // ground when the trap has ground
    std::uint32_t lost = 0;  // tokens no longer reachable from there
};

TrapReport findTraps(const lvl::Level& level);

// The feet of the figure standing with its top-left at (x, y) may be held by a block whose top
// lies this many pixels above its lowest line, and no more.
inline constexpr int kFeetPixels = 4;

}  // namespace solver
