// Lettering for the pictures: DejaVu Sans Bold coverage masks from the platform's text
// rasteriser, with an outline grown around them and a top-to-bottom colour gradient.
#pragma once

#include "image.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace gen {

struct Mask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> alpha;  // 0..255
    std::uint8_t at(int x, int y) const {
        return (x < 0 || y < 0 || x >= width || y >= height) ? 0 : alpha[static_cast<std::size_t>(y) * width + x];
    }
};

// The text (UTF-8) at `pointSize`, the full line box as the rasteriser gives it.
Mask textMask(std::string_view utf8, int pointSize);
// The same, cut to the box of its inked pixels.
Mask croppedMask(const Mask& m);
// Grows the mask by `radius` pixels all round (the canvas grows by radius on every side).
Mask dilate(const Mask& m, int radius);

struct TextStyle {
    Rgb top = rgb(255, 250, 210);
    Rgb bottom = rgb(255, 200, 60);
    Rgb outline = rgb(16, 16, 40);
    int outlineRadius = 2;
    bool hardOutline = true;  // outline edge not blended (for colour-keyed sheets)
    int shadow = 0;           // offset of a dark drop shadow, 0 for none
};

// Draws the inked part of the text centred on (cx, cy); returns its width.
int drawTextCentred(Image& img, std::string_view utf8, int pointSize, double cx, double cy, const TextStyle& style);
// Draws a mask with its top-left corner at (x, y) in the style.
void drawMask(Image& img, const Mask& mask, int x, int y, const TextStyle& style);

}  // namespace gen
