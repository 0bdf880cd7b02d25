#include "display/blit.h"

#include <cstring>

namespace blit {

namespace {

int rectWidth(const FrameRect& r) { return r.right - r.left; }
int rectHeight(const FrameRect& r) { return r.bottom - r.top; }

// Source column of every destination column of a stretched (and maybe mirrored) row.
void columnMap(int* map, int targetWidth, int sourceLeft, int sourceWidth, bool mirror) {
    for (int x = 0; x < targetWidth; ++x) {
        // Centre of the destination pixel, mapped back: stays inside 0..sourceWidth-1.
        const int offset = static_cast<int>((2LL * x + 1) * sourceWidth / (2LL * targetWidth));
        map[x] = sourceLeft + (mirror ? sourceWidth - 1 - offset : offset);
    }
}

// One row of a keyed copy: pixels equal to the key keep what the target had. Eight pixels at
// a time as a compare and select (GCC and Clang vector types, any target), then the rest.
void keyedRow(std::uint16_t* to, const std::uint16_t* from, int count, std::uint16_t key) {
    int i = 0;
#if defined(__GNUC__)
    using Pixels = std::uint16_t __attribute__((vector_size(16)));
    const Pixels keys = Pixels{} + key;
    for (; i + 8 <= count; i += 8) {
        Pixels s;
        Pixels d;
        std::memcpy(&s, from + i, sizeof s);
        std::memcpy(&d, to + i, sizeof d);
        const Pixels keep = reinterpret_cast<Pixels>(s == keys);  // all ones where the key is
        const Pixels out = (d & keep) | (s & ~keep);
        std::memcpy(to + i, &out, sizeof out);
    }
#endif
    for (; i < count; ++i) to[i] = from[i] == key ? to[i] : from[i];
}

}  // namespace

bool rectInside(const FrameRect& rect, int width, int height) {
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom && rect.right <= width &&
           rect.bottom <= height;
}

// The destination rectangle lies wholly inside the target. 64-bit sums: positions come from
// game data and may be anything.
static bool fitsAt(const Surface& to, int x, int y, int w, int h) {
    return x >= 0 && y >= 0 && static_cast<long long>(x) + w <= to.width() && static_cast<long long>(y) + h <= to.height();
}

bool opaque(Surface& to, int x, int y, const Surface& from, const FrameRect& source) {
    if (!rectInside(source, from.width(), from.height())) return false;
    const int w = rectWidth(source);
    const int h = rectHeight(source);
    if (!fitsAt(to, x, y, w, h)) return false;
    const std::size_t bytes = static_cast<std::size_t>(w) * sizeof(std::uint16_t);
    for (int row = 0; row < h; ++row) std::memmove(to.row(y + row) + x, from.row(source.top + row) + source.left, bytes);
    return true;
}

bool keyed(Surface& to, int x, int y, const Surface& from, const FrameRect& source) {
    if (!from.hasColorKey()) return opaque(to, x, y, from, source);
    if (!rectInside(source, from.width(), from.height())) return false;
    const int w = rectWidth(source);
    const int h = rectHeight(source);
    if (!fitsAt(to, x, y, w, h)) return false;
    const std::uint16_t key = from.colorKey();
    for (int row = 0; row < h; ++row) keyedRow(to.row(y + row) + x, from.row(source.top + row) + source.left, w, key);
    return true;
}

bool stretched(Surface& to, const FrameRect& target, const Surface& from, const FrameRect& source, bool useKey, bool mirror) {
    if (!rectInside(source, from.width(), from.height())) return false;
    if (!rectInside(target, to.width(), to.height())) return false;
    const int sw = rectWidth(source);
    const int sh = rectHeight(source);
    const int tw = rectWidth(target);
    const int th = rectHeight(target);
    if (!mirror && sw == tw && sh == th)
        return useKey ? keyed(to, target.left, target.top, from, source) : opaque(to, target.left, target.top, from, source);

    const bool withKey = useKey && from.hasColorKey();
    const std::uint16_t key = from.colorKey();
    int map[4096];  // target is inside a surface; surfaces are at most 4096 wide
    if (tw > 4096) return false;
    columnMap(map, tw, source.left, sw, mirror);
    for (int row = 0; row < th; ++row) {
        const int sy = source.top + static_cast<int>((2LL * row + 1) * sh / (2LL * th));
        const std::uint16_t* s = from.row(sy);
        std::uint16_t* d = to.row(target.top + row) + target.left;
        if (withKey) {
            for (int i = 0; i < tw; ++i) {
                const std::uint16_t p = s[map[i]];
                d[i] = p == key ? d[i] : p;
            }
        } else {
            for (int i = 0; i < tw; ++i) d[i] = s[map[i]];
        }
    }
    return true;
}

}  // namespace blit
