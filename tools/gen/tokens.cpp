// The fourteen tokens, 9 frames of 34 x 33 each, where the token table places them: round
// coloured coins for the digits, orange tiles for the signs and a golden tile for "=". The sign
// stays still and big; a shine sweeps over the token and a spark runs round its rim.
#include "draw.h"
#include "pictures.h"
#include "text.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace gen {

namespace {

constexpr Rgb kDigitColours[10] = {
    0,
    rgb(214, 48, 48),   // 1 red
    rgb(232, 120, 24),  // 2 orange
    rgb(196, 150, 10),  // 3 gold
    rgb(44, 160, 56),   // 4 green
    rgb(16, 150, 150),  // 5 teal
    rgb(40, 100, 220),  // 6 blue
    rgb(96, 70, 210),   // 7 indigo
    rgb(160, 56, 190),  // 8 purple
    rgb(220, 60, 140),  // 9 pink
};

// White sign with a dark outline: a digit from the font, the signs as plain strokes.
void drawSign(Image& img, double cx, double cy, int type) {
    const Rgb white = rgb(252, 252, 244);
    const TokenInfo& token = tokenInfo(type);
    if (token.kind == TokenKind::Digit) {
        TextStyle style;
        style.top = rgb(255, 255, 255 - 8);
        style.bottom = rgb(236, 236, 220);
        style.outlineRadius = 2;
        style.hardOutline = false;
        drawTextCentred(img, std::string(1, token.symbol), 25, cx, cy, style);
        return;
    }
    auto bar = [&](double x0, double y0, double x1, double y1) { drawLine(img, x0, y0, x1, y1, 8.5, kOutline, true); };
    auto barIn = [&](double x0, double y0, double x1, double y1) { drawLine(img, x0, y0, x1, y1, 4.5, white, true); };
    switch (token.symbol) {
    case '+':
        bar(cx - 8, cy, cx + 8, cy);
        bar(cx, cy - 8, cx, cy + 8);
        barIn(cx - 8, cy, cx + 8, cy);
        barIn(cx, cy - 8, cx, cy + 8);
        break;
    case '-':
        bar(cx - 8, cy, cx + 8, cy);
        barIn(cx - 8, cy, cx + 8, cy);
        break;
    case '*':
        bar(cx - 6, cy - 6, cx + 6, cy + 6);
        bar(cx - 6, cy + 6, cx + 6, cy - 6);
        barIn(cx - 6, cy - 6, cx + 6, cy + 6);
        barIn(cx - 6, cy + 6, cx + 6, cy - 6);
        break;
    case '/':  // the division sign of a calculator: a bar between two dots
        bar(cx - 8, cy, cx + 8, cy);
        fillCircle(img, cx, cy - 7.5, 3.9, kOutline, true);
        fillCircle(img, cx, cy + 7.5, 3.9, kOutline, true);
        barIn(cx - 8, cy, cx + 8, cy);
        fillCircle(img, cx, cy - 7.5, 2.3, white, true);
        fillCircle(img, cx, cy + 7.5, 2.3, white, true);
        break;
    default:  // "="
        bar(cx - 8, cy - 4.5, cx + 8, cy - 4.5);
        bar(cx - 8, cy + 4.5, cx + 8, cy + 4.5);
        barIn(cx - 8, cy - 4.5, cx + 8, cy - 4.5);
        barIn(cx - 8, cy + 4.5, cx + 8, cy + 4.5);
        break;
    }
}

// A little four-pointed spark.
void drawSpark(Image& img, double x, double y, double size) {
    const Rgb c = rgb(255, 255, 200);
    drawLine(img, x - size, y, x + size, y, 1.6, c, true);
    drawLine(img, x, y - size, x, y + size, 1.6, c, true);
    fillCircle(img, x, y, 1.3, rgb(255, 255, 255 - 4), true);
}

}  // namespace

void drawToken(Image& img, int x, int y, int type, int frame) {
    const double cx = x + 17.0, cy = y + 16.5;
    const double phase = frame / 9.0;
    const TokenKind kind = tokenKind(type);
    const bool digit = kind == TokenKind::Digit;
    Rgb body;
    if (digit) body = kDigitColours[type];
    else if (kind == TokenKind::Equals) body = rgb(230, 170, 20);
    else body = rgb(240, 100, 30);
    const Rgb lightBody = mix(body, rgb(255, 255, 255), 0.35);
    const Rgb darkBody = scale(body, 0.62);

    // Silhouette: coin or tile, hard-edged outline so the see-through black stays clean.
    auto inside = [&](double px, double py, double grow) {
        if (digit) {
            const double dx = px - cx, dy = py - cy;
            return dx * dx + dy * dy <= (15.5 + grow) * (15.5 + grow);
        }
        const double half = 14.5 + grow, r = 6 + grow;
        const double qx = std::max(std::abs(px - cx) - (half - r), 0.0);
        const double qy = std::max(std::abs(py - cy) - (half - r), 0.0);
        return qx * qx + qy * qy <= r * r;
    };
    fillShape(img, x, y, x + 33, y + 32, kOutline, false, [&](double px, double py) { return inside(px, py, 0); });
    // Body with light from the top left.
    for (int j = y; j < y + 33; ++j)
        for (int i = x; i < x + 34; ++i) {
            int hits = 0;
            for (int s = 0; s < 16; ++s) {
                const int column = s % 4, row = s / 4;  // a 4 x 4 grid of samples
                if (inside(i + (column + 0.5) / 4, j + (row + 0.5) / 4, -1.6)) ++hits;
            }
            if (hits == 0) continue;
            const double t = std::clamp(((i - cx) * 0.5 + (j - cy)) / 26.0 + 0.5, 0.0, 1.0);
            blend(img, i, j, mix(lightBody, darkBody, t), hits / 16.0);
        }
    // Inner rim.
    for (int j = y; j < y + 33; ++j)
        for (int i = x; i < x + 34; ++i) {
            const double px = i + 0.5, py = j + 0.5;
            if (inside(px, py, -1.6) && !inside(px, py, -3.4)) blend(img, i, j, rgb(255, 255, 230), 0.35);
        }
    // Shine sweeping diagonally across the token.
    const double sweep = -22 + phase * 56;
    for (int j = y; j < y + 33; ++j)
        for (int i = x; i < x + 34; ++i) {
            if (!inside(i + 0.5, j + 0.5, -2)) continue;
            const double d = std::abs((i - cx) + (j - cy) - sweep);
            if (d < 5) blend(img, i, j, rgb(255, 255, 240), 0.35 * (1 - d / 5));
        }
    drawSign(img, cx, cy + (digit ? 0.5 : 0), type);
    // Spark running round the rim.
    const double a = phase * 2 * std::numbers::pi - std::numbers::pi * 0.75;
    drawSpark(img, cx + std::cos(a) * 12.5, cy + std::sin(a) * 12.5, 3.2 + 1.2 * std::sin(phase * 6.28 * 2));
}

void drawTokens(Image& sheet) {
    for (int type = 1; type <= kTokenTypes; ++type) {
        const FrameRect& picture = tokenInfo(type).picture;
        for (int f = 0; f < layout::kTokenFrames; ++f)
            drawToken(sheet, picture.left + layout::kTokenWidth * f, picture.top, type, f);
    }
}

}  // namespace gen
