// Platform text output: a line of Windows-1250 bytes laid out from the font's data
// (text_glyphs.h) into a coverage mask, as SDL_ttf lays it out with HarfBuzz: pen positions
// in 64ths of a pixel, each glyph at the whole pixel below its pen, the image as large as the
// glyphs' boxes and the pen's end (and never lower than the font's line), overlapping
// coverage combined bit by bit.
#include "platform/common/text_glyphs.h"
#include "platform/platform.h"

#include <algorithm>
#include <vector>

namespace plat {

namespace {

int floorPixels(std::int32_t v) { return static_cast<int>((v & -64) / 64); }

std::int32_t kerning(std::uint8_t first, std::uint8_t second) {
    const std::uint16_t pair = static_cast<std::uint16_t>(first << 8 | second);
    const glyphs::Kern* end = glyphs::kKerns + glyphs::kKernCount;
    const glyphs::Kern* it = std::lower_bound(glyphs::kKerns, end, pair,
                                              [](const glyphs::Kern& k, std::uint16_t p) { return k.pair < p; });
    return it != end && it->pair == pair ? it->delta : 0;
}

struct Placed {
    const glyphs::Glyph* glyph;
    int x;  // the bitmap's top-left corner, before the line's shift
    int y;
};

}  // namespace

bool rasteriseText(const char* cp1250, int length, TextImage& out) {
    out = TextImage{};
    if (cp1250 == nullptr || length <= 0) return false;
    std::vector<Placed> placed;
    placed.reserve(static_cast<std::size_t>(length));
    std::int32_t pen = 0;
    int minX = 0;
    int maxX = 0;
    int minY = 0;
    int maxY = glyphs::kLineHeight;
    for (int i = 0; i < length; ++i) {
        const auto byte = static_cast<std::uint8_t>(cp1250[i]);
        const glyphs::Glyph& g = glyphs::kGlyphs[byte];
        const Placed p{&g, floorPixels(pen) + g.left, glyphs::kAscent - g.top};
        pen += g.advance + (i + 1 < length ? kerning(byte, static_cast<std::uint8_t>(cp1250[i + 1])) : 0);
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x + g.width);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y + g.rows);
        placed.push_back(p);
    }
    maxX = std::max(maxX, floorPixels(pen));
    if (maxX == minX) return false;  // nothing to see: SDL_ttf makes no image either
    out.width = maxX - minX;
    out.height = maxY - minY;
    out.coverage.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height), 0);
    for (const Placed& p : placed) {
        const glyphs::Glyph& g = *p.glyph;
        const std::uint8_t* source = glyphs::kPixels + g.pixels;
        for (int row = 0; row < g.rows; ++row) {
            std::uint8_t* target = out.coverage.data() +
                                   static_cast<std::size_t>(p.y - minY + row) * static_cast<std::size_t>(out.width) +
                                   (p.x - minX);
            for (int col = 0; col < g.width; ++col) target[col] |= source[row * g.width + col];
        }
    }
    return true;
}

}  // namespace plat
