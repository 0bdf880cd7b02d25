// Copies between our 16-bit surfaces, with the rules the game was drawn with: nothing is
// clipped, so a copy whose destination rectangle is not wholly inside the target (or whose
// source rectangle is not wholly inside the source) draws nothing at all; a keyed copy leaves
// out the source pixels equal to the source surface's colour key.
#pragma once

#include "display/surface.h"
#include "world/frame_rect.h"

namespace blit {

// True when the rectangle is not empty and lies wholly inside a width x height surface.
bool rectInside(const FrameRect& rect, int width, int height);

// Copies `source` (a rectangle of `from`) to (x, y) of `to`, every pixel. False when rejected.
bool opaque(Surface& to, int x, int y, const Surface& from, const FrameRect& source);

// As opaque, but pixels equal to the colour key of `from` are left out (an opaque copy when
// `from` has no key).
bool keyed(Surface& to, int x, int y, const Surface& from, const FrameRect& source);

// Copies `source` of `from` onto the rectangle `target` of `to`, stretched (nearest pixel) when
// the sizes differ, mirrored left to right when `mirror` is set, keyed when `useKey` is set.
bool stretched(Surface& to, const FrameRect& target, const Surface& from, const FrameRect& source, bool useKey, bool mirror);

// The whole of `from` to (x, y) of `to`, opaque.
inline bool whole(Surface& to, int x, int y, const Surface& from) {
    return opaque(to, x, y, from, FrameRect{0, 0, from.width(), from.height()});
}

}  // namespace blit
