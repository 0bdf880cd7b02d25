// The three title-menu buttons, 12 frames of 100 x 36 each. Frame 5 is the button at rest;
// the others, shown while the mouse is over it, light it up, lift the label and sweep a shine
// across it.
#include "draw.h"
#include "pictures.h"
#include "text.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace gen {

namespace {

struct ButtonLook {
    std::string_view label;  // UTF-8
    Rgb light;
    Rgb dark;
};

void drawButton(Image& sheet, int x0, int y0, const ButtonLook& look, int frame) {
    const bool lit = frame != layout::kButtonRestingFrame;
    const double w = layout::kButtonWidth, h = layout::kButtonHeight;
    // Outline, then the body.
    fillRoundRect(sheet, x0 + 0, y0 + 0, w, h, 11, kOutline, false);
    const Rgb border = lit ? rgb(255, 214, 70) : rgb(214, 224, 240);
    fillRoundRect(sheet, x0 + 2, y0 + 2, w - 4, h - 4, 9, border, true);
    const Rgb top = lit ? scale(look.light, 1.18) : look.light;
    const Rgb bottom = lit ? scale(look.dark, 1.2) : look.dark;
    fillShape(sheet, x0 + 4, y0 + 4, x0 + 95, y0 + 31, top, false, [&](double px, double py) {
        const double qx = std::max({x0 + 4 + 7 - px, px - (x0 + 96 - 7), 0.0});
        const double qy = std::max({y0 + 4 + 7 - py, py - (y0 + 32 - 7), 0.0});
        return qx * qx + qy * qy <= 49.0;
    });
    for (int y = y0 + 4; y < y0 + 32; ++y)
        for (int x = x0 + 4; x < x0 + 96; ++x)
            if (sheet.at(x, y) == top) sheet.set(x, y, mix(top, bottom, (y - y0 - 4) / 27.0));
    // Gloss on the upper half.
    for (int y = y0 + 5; y < y0 + 15; ++y)
        for (int x = x0 + 8; x < x0 + 92; ++x) blend(sheet, x, y, rgb(255, 255, 255), 0.22 * (1 - (y - y0 - 5) / 10.0));
    // The sweeping shine of the lit frames.
    if (lit) {
        const double sx = x0 - 10 + (frame <= 0 ? 1 : frame) * 10.0;
        for (int y = y0 + 4; y < y0 + 32; ++y)
            for (int x = x0 + 4; x < x0 + 96; ++x) {
                const double d = std::abs((x - sx) + (y - y0 - 18) * 0.5);
                if (d < 6) blend(sheet, x, y, rgb(255, 250, 220), 0.45 * (1 - d / 6));
            }
    }
    TextStyle style;
    style.top = lit ? rgb(255, 255, 230) : rgb(250, 250, 250);
    style.bottom = lit ? rgb(255, 226, 90) : rgb(214, 226, 255);
    style.outlineRadius = 2;
    style.hardOutline = false;
    const double lift = lit ? -1.0 - std::sin(frame * 0.9) : 0.0;
    drawTextCentred(sheet, look.label, 13, x0 + 50, y0 + 18 + lift, style);
}

}  // namespace

void drawMenuButtons(Image& sheet, const texts::Texts& words) {
    const ButtonLook looks[3] = {
        {words.utf8(texts::TextId::MenuNewGame), rgb(90, 200, 80), rgb(24, 110, 40)},
        {words.utf8(texts::TextId::MenuHighScores), rgb(80, 150, 240), rgb(30, 60, 160)},
        {words.utf8(texts::TextId::MenuExit), rgb(240, 110, 90), rgb(150, 30, 40)},
    };
    for (int type = 0; type < 3; ++type)
        for (int frame = 0; frame < layout::kButtonFrames; ++frame)
            drawButton(sheet, (frame % layout::kButtonsPerRow) * layout::kButtonWidth,
                       layout::kButtonTops[type] + (frame / layout::kButtonsPerRow) * layout::kButtonHeight, looks[type], frame);
}

}  // namespace gen
