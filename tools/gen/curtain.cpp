// The curtain tile (32 x 32 at (608, 0)): a bevelled blue square with a golden plus sign, so
// the covering screen fills up with a wall of little plus tiles.
#include "draw.h"
#include "pictures.h"

namespace gen {

void drawCurtainTile(Image& sheet) {
    static_assert(layout::kCurtainSize == 32, "the tile below is drawn for 32 x 32");
    Image t(32, 32, rgb(40, 52, 140));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const double n = fractalNoise(x / 6.0, y / 6.0, 77, 2);
            t.set(x, y, mix(rgb(46, 60, 156), rgb(30, 38, 112), (x + y) / 62.0 * 0.7 + n * 0.3));
        }
    // Bevel: light top and left edge, dark bottom and right edge.
    for (int i = 0; i < 32; ++i) {
        t.set(i, 0, rgb(120, 140, 230));
        t.set(0, i, rgb(120, 140, 230));
        t.set(i, 1, rgb(86, 104, 206));
        t.set(1, i, rgb(86, 104, 206));
        t.set(i, 31, rgb(16, 20, 64));
        t.set(31, i, rgb(16, 20, 64));
        t.set(i, 30, rgb(24, 30, 86));
        t.set(30, i, rgb(24, 30, 86));
    }
    drawLine(t, 9.5, 16, 22.5, 16, 6.5, rgb(20, 20, 60), true);
    drawLine(t, 16, 9.5, 16, 22.5, 6.5, rgb(20, 20, 60), true);
    drawLine(t, 10, 15.5, 22, 15.5, 3.6, rgb(255, 210, 80), true);
    drawLine(t, 15.5, 10, 15.5, 22, 3.6, rgb(255, 210, 80), true);
    blend(t, 14, 14, rgb(255, 250, 210), 0.8);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) sheet.set(layout::kCurtainLeft + x, layout::kCurtainTop + y, t.at(x, y));
}

}  // namespace gen
