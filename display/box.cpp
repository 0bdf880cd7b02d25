// The box written straight into the back buffer: a filled rectangle with two white bars above
// and two below. Unlike the first version of the game, every write is kept inside the buffer.
#include "display/display.h"

#include <algorithm>

namespace {

// Packs the three values with the current shifts; bits beyond a channel run into its
// neighbour and bits beyond 16 are dropped, as they always were.
std::uint16_t packColour(std::int32_t r, std::int32_t g, std::int32_t b, std::int32_t redShift, std::int32_t greenShift) {
    const std::uint32_t value = (static_cast<std::uint32_t>(r) << (redShift & 31)) |
                                (static_cast<std::uint32_t>(g) << (greenShift & 31)) | static_cast<std::uint32_t>(b);
    return static_cast<std::uint16_t>(value & 0xFFFFu);
}

// Sets pixels x .. x + width - 1 of row y to `colour`, the part inside the surface only.
void fillRow(Surface& s, long long y, long long x, long long width, std::uint16_t colour) {
    if (y < 0 || y >= s.height() || width <= 0) return;
    const long long from = std::max<long long>(x, 0);
    const long long to = std::min<long long>(x + width, s.width());
    if (from >= to) return;
    std::fill(s.row(static_cast<int>(y)) + from, s.row(static_cast<int>(y)) + to, colour);
}

}  // namespace

std::int32_t Display::drawBox(std::int32_t r, std::int32_t g, std::int32_t b, std::int32_t x, std::int32_t y, std::int32_t width,
                              std::int32_t height) {
    if (!backBuffer) return static_cast<std::int32_t>(ErrorCode::LockSurfaceFailed);
    Surface& s = *backBuffer;
    const std::uint16_t fill = packColour(r, g, b, boxRedShift, boxGreenShift);
    const std::uint16_t bar = packColour(255, 255, 255, boxRedShift, boxGreenShift);
    if (width > 0 && height > 0) {
        const long long top = std::max<long long>(y, 0);
        const long long bottom = std::min<long long>(static_cast<long long>(y) + height, s.height());
        for (long long row = top; row < bottom; ++row) fillRow(s, row, x, width, fill);
    }
    // Two bars over the first two rows of the fill, two just below it; no sides.
    const long long below = static_cast<long long>(y) + height;
    fillRow(s, y, x, width, bar);
    fillRow(s, static_cast<long long>(y) + 1, x, width, bar);
    fillRow(s, below, x, width, bar);
    fillRow(s, below + 1, x, width, bar);
    return 0;
}
