// The bitmap font: 43 glyphs of 12 x 14 in one row from (0, 460), the characters '0' to 'Z' in
// code order, and in the sheets of the other languages the extra letters (world/letters.h).
// Each is drawn large, shrunk to 10 pixels of cap height on a common baseline and outlined in
// dark blue so it reads on any background.
#include "draw.h"
#include "pictures.h"
#include "text.h"

#include "world/letters.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace gen {

namespace {

constexpr int kBig = 40;      // point size of the master letters
constexpr int kCapRows = 10;  // cap height in the cell
constexpr int kCapTop = 2;    // first row of a capital in the cell

struct Box {
    int x0, y0, x1, y1;  // inked box, inclusive; x1 < x0 when empty
};

Box inkBox(const Mask& m) {
    Box b{m.width, m.height, -1, -1};
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            if (m.at(x, y) > 24) {
                b.x0 = std::min(b.x0, x);
                b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x);
                b.y1 = std::max(b.y1, y);
            }
    return b;
}

// Area-averaged sample of the master mask over a source rectangle.
double areaSample(const Mask& m, double sx0, double sy0, double sx1, double sy1) {
    double sum = 0, area = 0;
    for (int y = static_cast<int>(std::floor(sy0)); y < static_cast<int>(std::ceil(sy1)); ++y)
        for (int x = static_cast<int>(std::floor(sx0)); x < static_cast<int>(std::ceil(sx1)); ++x) {
            const double w = std::max(0.0, std::min<double>(x + 1, sx1) - std::max<double>(x, sx0)) *
                             std::max(0.0, std::min<double>(y + 1, sy1) - std::max<double>(y, sy0));
            sum += w * m.at(x, y);
            area += w;
        }
    return area > 0 ? sum / area / 255.0 : 0.0;
}

// One letter (UTF-8) into the 12 x 14 cell at (left, top) of the sheet. A letter with a mark
// above the capitals (Й, Ї) is shrunk to fit the cell's top.
void drawGlyph(Image& sheet, const std::string& letter, const Box& cap, double s, int left, int top) {
    const Mask m = textMask(letter, kBig);
    const Box ink = inkBox(m);
    if (ink.x1 < ink.x0) return;
    // Horizontal scale: the same as vertical unless the letter is too wide for 10 pixels.
    const double inkW = ink.x1 - ink.x0 + 1;
    const double sx = std::max(s, inkW / 10.0);
    const double cellInkW = inkW / sx;
    const double cellLeft = (12 - cellInkW) / 2;  // cell x of the ink's left edge
    const bool tall = ink.y0 < cap.y0 - kCapTop * s;
    const double sy = tall ? (cap.y1 + 1 - ink.y0) / static_cast<double>(kCapTop + kCapRows) : s;
    Mask small;
    small.width = 12;
    small.height = 14;
    small.alpha.assign(12 * 14, 0);
    for (int j = 0; j < 14; ++j)
        for (int i = 0; i < 12; ++i) {
            const double mx0 = ink.x0 + (i - cellLeft) * sx, mx1 = mx0 + sx;
            const double my0 = tall ? ink.y0 + j * sy : cap.y0 + (j - kCapTop) * s, my1 = my0 + sy;
            const double a = areaSample(m, mx0, my0, mx1, my1);
            small.alpha[static_cast<std::size_t>(j) * 12 + i] = static_cast<std::uint8_t>(std::clamp(a * 1.25, 0.0, 1.0) * 255);
        }
    // Outline one pixel round the letter, inside the cell, hard-edged against the key.
    Image cell(12, 14, rgb(0, 0, 0));
    for (int j = 0; j < 14; ++j)
        for (int i = 0; i < 12; ++i) {
            int best = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) best = std::max<int>(best, small.at(i + dx, j + dy));
            if (best >= 90) cell.set(i, j, kOutline);
        }
    for (int j = 0; j < 14; ++j) {
        const Rgb c = mix(rgb(255, 255, 236), rgb(255, 206, 70), std::clamp((j - kCapTop) / 9.0, 0.0, 1.0));
        for (int i = 0; i < 12; ++i) {
            const int a = small.at(i, j);
            if (a > 0) blend(cell, i, j, c, std::min(1.0, a / 255.0 * 1.1));
        }
    }
    // No pixel of a letter may fall on the see-through black.
    for (int j = 0; j < 14; ++j)
        for (int i = 0; i < 12; ++i) {
            const Rgb c = cell.at(i, j);
            if (c != 0 && red(c) < 16 && green(c) < 16 && blue(c) < 40) cell.set(i, j, kOutline);
        }
    for (int j = 0; j < 14; ++j)
        for (int i = 0; i < 12; ++i) sheet.set(left + i, top + j, cell.at(i, j));
}

}  // namespace

void drawFontGlyphs(Image& sheet, bool extraLetters) {
    const Box cap = inkBox(textMask("H", kBig));
    const double s = static_cast<double>(cap.y1 - cap.y0 + 1) / kCapRows;  // master pixels per cell pixel
    for (int index = 0; index < layout::kGlyphCount; ++index)
        drawGlyph(sheet, std::string(1, static_cast<char>(layout::kFirstGlyphCode + index)), cap, s, index * layout::kGlyphWidth,
                  layout::kFontTop);
    if (!extraLetters) return;
    for (int i = 0; i < static_cast<int>(letters::kExtra.size()); ++i) {
        const char32_t c = letters::kExtra[static_cast<std::size_t>(i)].codePoint;  // two bytes of UTF-8
        const std::string letter = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
        drawGlyph(sheet, letter, cap, s, layout::extraGlyphLeft(i), layout::extraGlyphTop(i));
    }
}

}  // namespace gen
