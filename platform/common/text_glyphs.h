// The game's text font (DejaVu Sans Bold at 12 points, light hinting) as data: every glyph's
// coverage bitmap and placement, its advance and the kerning of each pair of characters, by
// Unicode code point: every character of Windows-1250, Latin-1 and Latin Extended-A (Polish
// among them) and the Cyrillic letters (Ukrainian's included). Written at build time by
// tools/font from the font itself; text.cpp lays a line out from it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plat::glyphs {

// Lengths in 26.6 fixed point (64ths of a pixel) where said, otherwise whole pixels.
struct Glyph {
    std::int32_t advance = 0;  // 26.6
    std::int16_t left = 0;     // the bitmap's left edge from the pen
    std::int16_t top = 0;      // the bitmap's top edge above the baseline
    std::int16_t width = 0;
    std::int16_t rows = 0;
    std::uint32_t pixels = 0;  // where its width * rows coverage bytes start in kPixels
};

// A pair whose advance differs from the first glyph's own: `delta` (26.6) is added to it.
struct Kern {
    std::uint32_t pair = 0;  // first code point << 16 | second; the table is sorted by it
    std::int32_t delta = 0;
};

extern const std::int32_t kAscent;      // pixels from the line's top to the baseline
extern const std::int32_t kLineHeight;  // the smallest height of a line's image
// The code points the data has, ascending, from 0 (the font's missing-glyph box, drawn for any
// other), and their glyphs in the same order.
extern const char32_t kCodePoints[];
extern const Glyph kGlyphs[];
extern const std::size_t kGlyphCount;
extern const std::uint8_t kPixels[];
extern const Kern kKerns[];
extern const std::size_t kKernCount;

}  // namespace plat::glyphs
