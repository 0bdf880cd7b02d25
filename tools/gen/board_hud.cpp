// The chalkboard that frames the level's number, and the panel along the bottom 32 lines that
// the lives, the taken tokens and the points are drawn over.
#include "draw.h"
#include "pictures.h"
#include "text.h"

namespace gen {

void drawBoard(Image& img, int numberX, int numberY, std::string_view caption) {
    // The game writes the number (white, 12 point, two digits at most here) with its top-left
    // corner at (numberX, numberY); the board is centred on it, with a caption above.
    const double cx = numberX + 9, cy = numberY + 2;
    const double x0 = cx - 40, y0 = cy - 26, w = 80, h = 50;
    // Strings to a nail above.
    drawLine(img, x0 + 14, y0 + 2, cx, y0 - 16, 1.6, rgb(70, 50, 30), true);
    drawLine(img, x0 + w - 14, y0 + 2, cx, y0 - 16, 1.6, rgb(70, 50, 30), true);
    fillCircle(img, cx, y0 - 16, 3, rgb(90, 90, 100), true);
    fillCircle(img, cx - 0.8, y0 - 16.8, 1.2, rgb(200, 200, 210), true);
    // Shadow, frame and slate.
    fillRoundRect(img, x0 + 3, y0 + 4, w, h, 5, rgb(20, 20, 30), true);
    fillRoundRect(img, x0, y0, w, h, 5, rgb(60, 34, 18), true);
    fillRoundRect(img, x0 + 1, y0 + 1, w - 2, h - 2, 4, rgb(164, 104, 52), true);
    fillRoundRect(img, x0 + 3, y0 + 3, w - 6, h - 6, 3, rgb(110, 66, 32), true);
    for (int y = static_cast<int>(y0 + 5); y < y0 + h - 5; ++y)
        for (int x = static_cast<int>(x0 + 5); x < x0 + w - 5; ++x) {
            const double n = fractalNoise(x / 9.0, y / 9.0, 901, 3);
            img.set(x, y, mix(rgb(40, 84, 60), rgb(26, 58, 42), n));
            if (noise01(x, y, 902) > 0.985) blend(img, x, y, rgb(220, 230, 220), 0.25);
        }
    // Chalk caption with a line under it; the number comes below.
    TextStyle chalk;
    chalk.top = rgb(236, 240, 226);
    chalk.bottom = rgb(214, 222, 206);
    chalk.outlineRadius = 0;
    drawTextCentred(img, caption, 10, cx, y0 + 12, chalk);
    drawLine(img, cx - 22, y0 + 19.5, cx + 22, y0 + 19.5, 1.0, rgb(200, 210, 196), true);
    // The chalk ledge along the bottom of the frame.
    fillRect(img, static_cast<int>(x0 + 4), static_cast<int>(y0 + h - 3), static_cast<int>(w - 8), 3, rgb(90, 54, 26));
}

void drawHudStrip(Image& img) {
    const int top = 448;
    for (int y = top; y < layout::kFrameHeight; ++y)
        for (int x = 0; x < layout::kFrameWidth; ++x) {
            const double n = fractalNoise(x / 18.0, y / 6.0, 555, 2);
            img.set(x, y, mix(rgb(46, 40, 84), rgb(26, 22, 52), (y - top) / 31.0 * 0.6 + n * 0.4));
        }
    for (int x = 0; x < layout::kFrameWidth; ++x) {
        img.set(x, top, rgb(250, 200, 80));
        img.set(x, top + 1, rgb(170, 120, 40));
        img.set(x, top + 2, rgb(20, 16, 40));
    }
    // The heart before the lives count at (28, 458).
    const double hx = 14, hy = 465;
    fillCircle(img, hx - 4, hy - 3, 5.2, kOutline, true);
    fillCircle(img, hx + 4, hy - 3, 5.2, kOutline, true);
    fillPolygon(img, {{hx - 9.6, hy - 1.5}, {hx + 9.6, hy - 1.5}, {hx, hy + 9.5}}, kOutline, true);
    fillCircle(img, hx - 4, hy - 3, 3.8, rgb(230, 40, 60), true);
    fillCircle(img, hx + 4, hy - 3, 3.8, rgb(230, 40, 60), true);
    fillPolygon(img, {{hx - 7.6, hy - 1.5}, {hx + 7.6, hy - 1.5}, {hx, hy + 7}}, rgb(230, 40, 60), true);
    fillCircle(img, hx - 5, hy - 4.5, 1.3, rgb(255, 190, 200), true);
    // The tray for the taken tokens: from x 58 under the row drawn from (60, 447).
    fillRoundRect(img, 56, 452, 500, 25, 6, rgb(18, 14, 40), true);
    fillRoundRect(img, 57, 453, 498, 23, 5, rgb(36, 30, 70), true);
    for (int k = 0; k < 15; ++k) {
        const double x = 60 + 32 * k + 16.5;
        fillCircle(img, x, 464.5, 2.2, rgb(70, 62, 120), true);
    }
    // Separator before the points.
    fillRect(img, 561, 452, 2, 25, rgb(250, 200, 80));
}

}  // namespace gen
