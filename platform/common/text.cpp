// Platform text output: a line of Windows-1250 bytes or of UTF-8 laid out from the font's data
// (text_glyphs.h) into a coverage mask, as SDL_ttf lays it out with HarfBuzz: pen positions
// in 64ths of a pixel, each glyph at the whole pixel below its pen, the image as large as the
// glyphs' boxes and the pen's end (and never lower than the font's line), overlapping
// coverage combined bit by bit.
#include "platform/common/text_glyphs.h"
#include "platform/cp1250.h"
#include "platform/platform.h"

#include <algorithm>
#include <vector>

namespace plat {

namespace {

int floorPixels(std::int32_t v) { return static_cast<int>((v & -64) / 64); }

std::int32_t kerning(char32_t first, char32_t second) {
    const std::uint32_t pair = static_cast<std::uint32_t>(first) << 16 | static_cast<std::uint32_t>(second);
    const glyphs::Kern* end = glyphs::kKerns + glyphs::kKernCount;
    const glyphs::Kern* it = std::lower_bound(glyphs::kKerns, end, pair,
                                              [](const glyphs::Kern& k, std::uint32_t p) { return k.pair < p; });
    return it != end && it->pair == pair ? it->delta : 0;
}

// The data's index of `cp`, or 0 (the missing glyph) when the data lacks it.
std::size_t glyphIndex(char32_t cp) {
    const char32_t* end = glyphs::kCodePoints + glyphs::kGlyphCount;
    const char32_t* it = std::lower_bound(glyphs::kCodePoints, end, cp);
    return it != end && *it == cp ? static_cast<std::size_t>(it - glyphs::kCodePoints) : 0;
}

struct Placed {
    const glyphs::Glyph* glyph;
    int x;  // the bitmap's top-left corner, before the line's shift
    int y;
};

// Lays out `text` (code points, a missing one as 0) into `out`.
bool layOut(const std::vector<char32_t>& text, TextImage& out) {
    out = TextImage{};
    if (text.empty()) return false;
    std::vector<Placed> placed;
    placed.reserve(text.size());
    std::int32_t pen = 0;
    int minX = 0;
    int maxX = 0;
    int minY = 0;
    int maxY = glyphs::kLineHeight;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const glyphs::Glyph& g = glyphs::kGlyphs[glyphIndex(text[i])];
        const Placed p{&g, floorPixels(pen) + g.left, glyphs::kAscent - g.top};
        pen += g.advance + (i + 1 < text.size() ? kerning(text[i], text[i + 1]) : 0);
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

}  // namespace

bool rasteriseText(const char* cp1250, int length, TextImage& out) {
    std::vector<char32_t> text;
    for (int i = 0; cp1250 != nullptr && i < length; ++i) {
        const auto b = static_cast<unsigned char>(cp1250[i]);
        const char32_t cp = b < 0x80 ? b : kCp1250High[b - 0x80];
        text.push_back(cp == 0 && b != 0 ? 0xFFFD : cp);  // as toUtf8 names a byte the code page lacks
    }
    return layOut(text, out);
}

bool rasteriseUtf8(const char* utf8, int length, TextImage& out) {
    std::vector<char32_t> text;
    for (std::size_t i = 0; utf8 != nullptr && i < static_cast<std::size_t>(length > 0 ? length : 0);)
        text.push_back(nextCodePoint(utf8, static_cast<std::size_t>(length), i));
    return layOut(text, out);
}

}  // namespace plat
