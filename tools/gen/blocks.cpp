// The block sheets, one per world: four 32 x 32 blocks side by side. Block 0 is the ground
// with its top surface, 1 the filling beneath, 2 a platform or brick, 3 a decorated block.
#include "draw.h"
#include "pictures.h"

#include <cmath>

namespace gen {

namespace {

struct Theme {
    Rgb top;  // grass, snow, moss ... of block 0
    Rgb topDark;
    Rgb earth;  // the body of blocks 0 and 1
    Rgb earthDark;
    Rgb brick;  // block 2
    Rgb brickDark;
    Rgb crate;  // block 3
    Rgb crateDark;
    Rgb sign;  // the sign on block 3
    int seed;
};

constexpr Theme kThemes[8] = {
    {},
    {rgb(96, 200, 60), rgb(50, 140, 40), rgb(150, 100, 56), rgb(104, 66, 36), rgb(196, 140, 80), rgb(126, 82, 44),
     rgb(214, 160, 90), rgb(140, 92, 46), rgb(220, 50, 50), 11},
    {rgb(246, 220, 140), rgb(214, 180, 96), rgb(222, 176, 104), rgb(178, 130, 70), rgb(232, 196, 130), rgb(170, 126, 70),
     rgb(90, 190, 210), rgb(40, 120, 150), rgb(255, 236, 120), 23},
    {rgb(244, 250, 254), rgb(190, 214, 236), rgb(140, 200, 240), rgb(80, 140, 210), rgb(180, 226, 250), rgb(100, 160, 220),
     rgb(220, 60, 80), rgb(150, 30, 50), rgb(255, 230, 90), 37},
    {rgb(110, 170, 50), rgb(60, 110, 36), rgb(120, 80, 46), rgb(80, 50, 30), rgb(150, 104, 60), rgb(96, 62, 34), rgb(200, 60, 50),
     rgb(130, 36, 30), rgb(255, 246, 230), 41},
    {rgb(196, 196, 206), rgb(140, 140, 156), rgb(150, 150, 166), rgb(100, 100, 120), rgb(170, 160, 150), rgb(110, 100, 96),
     rgb(60, 90, 180), rgb(36, 56, 120), rgb(255, 210, 70), 53},
    {rgb(170, 120, 230), rgb(110, 70, 170), rgb(96, 80, 120), rgb(60, 50, 80), rgb(130, 100, 170), rgb(80, 60, 120),
     rgb(40, 170, 170), rgb(20, 100, 110), rgb(250, 250, 200), 61},
    {rgb(200, 90, 220), rgb(120, 50, 140), rgb(90, 70, 110), rgb(56, 44, 72), rgb(120, 110, 140), rgb(70, 62, 90),
     rgb(140, 40, 60), rgb(90, 24, 40), rgb(120, 230, 255), 71},
};

// Earthy body with speckles.
void speckled(Image& img, int x0, Rgb light, Rgb dark, int seed) {
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const double n = fractalNoise((x0 + x) / 7.0, y / 7.0, seed, 3);
            Rgb c = mix(light, dark, 0.15 + n * 0.6);
            if (noise01(x0 + x, y, seed + 5) > 0.93) c = scale(c, 1.18);
            if (noise01(x0 + x, y, seed + 6) > 0.95) c = scale(c, 0.75);
            img.set(x0 + x, y, c);
        }
}

// Edge shading so every block reads as a solid piece.
void bevel(Image& img, int x0, double strength) {
    for (int i = 0; i < 32; ++i) {
        blend(img, x0 + i, 0, rgb(255, 255, 255), 0.30 * strength);
        blend(img, x0, i, rgb(255, 255, 255), 0.22 * strength);
        blend(img, x0 + i, 31, rgb(20, 16, 30), 0.45 * strength);
        blend(img, x0 + 31, i, rgb(20, 16, 30), 0.38 * strength);
    }
}

void groundTop(Image& img, int x0, const Theme& t) {
    speckled(img, x0, t.earth, t.earthDark, t.seed);
    // Surface layer with a wavy lower edge that tiles from block to block.
    for (int x = 0; x < 32; ++x) {
        const int depth = 8 +
                          static_cast<int>(std::lround(2.5 * std::sin(x / 32.0 * 2 * 3.14159 * 2) + noise01(x, 0, t.seed) * 1.5));
        for (int y = 0; y < depth; ++y) {
            Rgb c = mix(t.top, t.topDark, y / double(depth) * 0.8);
            if (noise01(x0 + x, y, t.seed + 9) > 0.9) c = scale(c, 1.12);
            img.set(x0 + x, y, c);
        }
        img.set(x0 + x, depth, t.topDark);
        img.set(x0 + x, depth + 1, scale(t.earthDark, 0.9));
    }
    for (int x = 0; x < 32; ++x) img.set(x0 + x, 0, mix(t.top, rgb(255, 255, 255), 0.45));
    bevel(img, x0, 0.6);
}

void bricks(Image& img, int x0, Rgb light, Rgb dark, int seed) {
    const Rgb mortar = scale(dark, 0.7);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int row = y / 8;
            const int shift = (row % 2) * 8;
            const int bx = (x + shift) % 16;
            const int by = y % 8;
            if (by == 7 || bx == 15) {
                img.set(x0 + x, y, mortar);
                continue;
            }
            const double n = fractalNoise((x0 + x) / 5.0, y / 5.0, seed + row * 7 + (x + shift) / 16, 2);
            Rgb c = mix(light, dark, 0.1 + 0.5 * n);
            if (by == 0 || bx == 0) c = mix(c, rgb(255, 255, 255), 0.25);
            if (by == 6 || bx == 14) c = scale(c, 0.8);
            img.set(x0 + x, y, c);
        }
    bevel(img, x0, 0.7);
}

void crate(Image& img, int x0, const Theme& t, int world) {
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const double n = fractalNoise((x0 + x) / 9.0, y / 2.5, t.seed + 3, 2);
            img.set(x0 + x, y, mix(t.crate, t.crateDark, 0.1 + 0.35 * n));
        }
    // Frame round the face.
    for (int i = 0; i < 32; ++i)
        for (int k = 0; k < 3; ++k) {
            img.set(x0 + i, k, mix(t.crateDark, t.crate, k * 0.3));
            img.set(x0 + i, 31 - k, scale(t.crateDark, 0.85));
            img.set(x0 + k, i, mix(t.crateDark, t.crate, k * 0.3));
            img.set(x0 + 31 - k, i, scale(t.crateDark, 0.85));
        }
    const Rgb dark = rgb(30, 24, 40);
    // The world's sign on the face: plus, times, minus ... a little arithmetic everywhere.
    const double cx = x0 + 16, cy = 16;
    auto stroke = [&](double ax, double ay, double bx, double by) { drawLine(img, ax, ay, bx, by, 7, dark, true); };
    auto inner = [&](double ax, double ay, double bx, double by) { drawLine(img, ax, ay, bx, by, 3.6, t.sign, true); };
    switch (world) {
    case 2:
    case 5:
        stroke(cx - 6, cy - 6, cx + 6, cy + 6);
        stroke(cx - 6, cy + 6, cx + 6, cy - 6);
        inner(cx - 6, cy - 6, cx + 6, cy + 6);
        inner(cx - 6, cy + 6, cx + 6, cy - 6);
        break;
    case 7:
        stroke(cx - 8, cy, cx + 8, cy);
        inner(cx - 8, cy, cx + 8, cy);
        break;
    case 4: {  // a red mushroom cap with white spots
        fillCircle(img, cx, cy, 9, dark, true);
        fillCircle(img, cx, cy, 7.5, t.sign, true);
        fillCircle(img, cx - 3, cy - 2, 2, rgb(220, 60, 50), true);
        fillCircle(img, cx + 3, cy + 2, 2, rgb(220, 60, 50), true);
        break;
    }
    case 6:  // a gem
        fillPolygon(img, {{cx, cy - 10}, {cx + 9, cy}, {cx, cy + 10}, {cx - 9, cy}}, dark, true);
        fillPolygon(img, {{cx, cy - 7}, {cx + 6, cy}, {cx, cy + 7}, {cx - 6, cy}}, t.sign, true);
        fillPolygon(img, {{cx, cy - 7}, {cx + 6, cy}, {cx, cy}}, rgb(255, 255, 255 - 10), true);
        break;
    default:
        stroke(cx - 8, cy, cx + 8, cy);
        stroke(cx, cy - 8, cx, cy + 8);
        inner(cx - 8, cy, cx + 8, cy);
        inner(cx, cy - 8, cx, cy + 8);
        break;
    }
    // Corner rivets.
    for (int k = 0; k < 4; ++k) {
        const double rx = x0 + (k % 2 ? 27 : 5), ry = k / 2 ? 27 : 5;
        fillCircle(img, rx, ry, 1.6, mix(t.crate, rgb(255, 255, 230), 0.5), true);
    }
    bevel(img, x0, 0.5);
}

// Block 2 for the worlds where it is a thin-looking wooden or stone ledge.
void plank(Image& img, int x0, const Theme& t) {
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int board = y / 11;
            const double n = fractalNoise((x0 + x) / 14.0, y / 1.8, t.seed + board * 13, 2);
            Rgb c = mix(t.brick, t.brickDark, 0.15 + 0.5 * n);
            if (y % 11 == 10 || y == 31) c = scale(t.brickDark, 0.7);
            if (y % 11 == 0) c = mix(c, rgb(255, 255, 255), 0.25);
            img.set(x0 + x, y, c);
        }
    for (int b = 0; b < 3; ++b) {
        const int y = b * 11 + 5;
        fillCircle(img, x0 + 4.5, y + 0.5, 1.4, scale(t.brickDark, 0.6), true);
        fillCircle(img, x0 + 27.5, y + 0.5, 1.4, scale(t.brickDark, 0.6), true);
    }
    bevel(img, x0, 0.7);
}

}  // namespace

Image makeBlocks(int world) {
    const Theme& t = kThemes[world];
    Image img(layout::kBlockSheetWidth, layout::kBlockSheetHeight, 0);
    groundTop(img, 0, t);
    speckled(img, 32, t.earth, t.earthDark, t.seed + 1);
    bevel(img, 32, 0.35);
    if (world == 1 || world == 4) plank(img, 64, t);
    else bricks(img, 64, t.brick, t.brickDark, t.seed + 2);
    crate(img, 96, t, world);
    return img;
}

}  // namespace gen
