// The high-score picture: a heading, and a board with ten numbered rows where the names
// (x 250) and the points (x 360) are written, rows 20 pixels apart from y 140.
#include "pictures.h"
#include "scenery.h"
#include "text.h"

#include <string>

namespace gen {

Image makeHighScore(const texts::Texts& words) {
    Image img(layout::kFrameWidth, layout::kFrameHeight, 0);
    sky(img, rgb(30, 30, 90), rgb(110, 70, 160), 0, layout::kFrameHeight);
    stars(img, 160, 401, layout::kFrameHeight);
    hills(img, 440, 40, 120, 402, rgb(60, 50, 110), rgb(30, 26, 70));

    TextStyle heading;
    heading.top = rgb(255, 250, 190);
    heading.bottom = rgb(255, 150, 30);
    heading.outlineRadius = 3;
    heading.hardOutline = false;
    heading.shadow = 3;
    drawTextCentred(img, words.utf8(texts::TextId::ScoresHeading), 40, 320, 60, heading);

    // The board.
    const int x0 = 186, y0 = 122, w = 268, h = 224;
    fillRoundRect(img, x0 + 5, y0 + 6, w, h, 12, rgb(10, 8, 30), true);
    fillRoundRect(img, x0, y0, w, h, 12, rgb(16, 16, 40), true);
    fillRoundRect(img, x0 + 3, y0 + 3, w - 6, h - 6, 10, rgb(250, 200, 80), true);
    fillRoundRect(img, x0 + 7, y0 + 7, w - 14, h - 14, 8, rgb(36, 40, 96), true);
    for (int i = 0; i < 10; ++i) {
        const int y = 140 + 20 * i;
        const Rgb band = i % 2 ? rgb(44, 50, 116) : rgb(54, 62, 136);
        fillRoundRect(img, x0 + 12, y - 3, w - 24, 20, 4, band, true);
        // Row number, right-aligned before the names.
        const std::string n = std::to_string(i + 1) + ".";
        TextStyle num;
        num.top = rgb(200, 210, 255);
        num.bottom = rgb(150, 170, 240);
        num.outlineRadius = 1;
        num.hardOutline = false;
        const Mask m = croppedMask(textMask(n, 13));
        drawMask(img, m, 240 - m.width, y + 2, num);
    }
    // Trophies either side.
    for (int side = 0; side < 2; ++side) {
        const double cx = side ? 530 : 110, cy = 230;
        auto cup = [&](double grow) {
            return [&, grow](double x, double y) {
                const double dx = (x - cx) / (21 + grow), dy = (y - (cy - 16)) / (30 + grow);
                return y >= cy - 16 - grow && dx * dx + dy * dy <= 1.0;
            };
        };
        fillRoundRect(img, cx - 21, cy + 34, 42, 12, 3, kOutline, true);
        fillRoundRect(img, cx - 19, cy + 36, 38, 8, 2, rgb(130, 80, 36), true);
        fillRect(img, static_cast<int>(cx - 5), static_cast<int>(cy + 12), 10, 23, kOutline);
        fillRect(img, static_cast<int>(cx - 3), static_cast<int>(cy + 12), 6, 23, rgb(230, 170, 40));
        fillShape(img, static_cast<int>(cx - 26), static_cast<int>(cy - 20), static_cast<int>(cx + 26), static_cast<int>(cy + 16),
                  kOutline, true, cup(2.5));
        fillShape(img, static_cast<int>(cx - 26), static_cast<int>(cy - 20), static_cast<int>(cx + 26), static_cast<int>(cy + 16),
                  rgb(250, 200, 60), true, cup(0));
        fillEllipse(img, cx, cy - 16, 21, 4, rgb(200, 140, 30), true);
        fillEllipse(img, cx - 9, cy - 4, 3.5, 9, rgb(255, 240, 170), true);
        ghostSign(img, '1', 20, cx + 2, cy, rgb(170, 110, 20), 0.9);
    }
    drawHero(img, 96, 370, 2, 0);
    drawToken(img, 500, 380, 9, 0);
    drawToken(img, 540, 340, kTokenPlus, 4);

    TextStyle hint;
    hint.top = rgb(230, 236, 255);
    hint.bottom = rgb(200, 210, 250);
    hint.outlineRadius = 2;
    hint.hardOutline = false;
    drawTextCentred(img, words.utf8(texts::TextId::ScoresHint), 13, 320, 375, hint);
    return img;
}

}  // namespace gen
