// Drawing primitives for the generated pictures: colour mixing, filled shapes (hard-edged or
// anti-aliased by 4x4 supersampling), lines, gradients and a repeatable noise.
#pragma once

#include "image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace gen {

Rgb mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b
Rgb scale(Rgb c, double f);       // brightness factor, clamped
void blend(Image& img, int x, int y, Rgb c, double alpha);

// Repeatable pseudo-random numbers: the same arguments give the same value on every run.
std::uint32_t hash3(int x, int y, int seed);
double noise01(int x, int y, int seed);            // 0..1, per pixel
double smoothNoise(double x, double y, int seed);  // 0..1, value noise on a unit lattice
double fractalNoise(double x, double y, int seed, int octaves);

// Fills every pixel whose centre (or, with antiAlias, whose 16 sub-samples) lies inside the
// shape given by `inside(x, y)`, within the box x0..x1, y0..y1 (inclusive).
template <class Inside>
void fillShape(Image& img, int x0, int y0, int x1, int y1, Rgb c, bool antiAlias, Inside inside) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, img.width - 1);
    y1 = std::min(y1, img.height - 1);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (!antiAlias) {
                if (inside(x + 0.5, y + 0.5)) img.set(x, y, c);
                continue;
            }
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    if (inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0)) ++hits;
            if (hits == 16) img.set(x, y, c);
            else if (hits > 0) blend(img, x, y, c, hits / 16.0);
        }
    }
}

void fillRect(Image& img, int x, int y, int w, int h, Rgb c);
void gradientRect(Image& img, int x, int y, int w, int h, Rgb top, Rgb bottom);
void fillEllipse(Image& img, double cx, double cy, double rx, double ry, Rgb c, bool aa = true);
void fillCircle(Image& img, double cx, double cy, double r, Rgb c, bool aa = true);
void fillRoundRect(Image& img, double x, double y, double w, double h, double radius, Rgb c, bool aa = true);
// A thick segment with round ends.
void drawLine(Image& img, double x0, double y0, double x1, double y1, double width, Rgb c, bool aa = true);
struct Pt {
    double x;
    double y;
};
void fillPolygon(Image& img, const std::vector<Pt>& pts, Rgb c, bool aa = true);
// Copies `src` onto `dst` at (x, y), leaving out pixels equal to `key`.
void blitKeyed(Image& dst, const Image& src, int x, int y, Rgb key);

}  // namespace gen
