// The hero: a child in a red cap with a green satchel, 43 x 66 per frame, facing right, on
// white. Rows: standing, a seven-step walk, rising, falling. Shapes are drawn hard-edged on a
// marker colour and then outlined, so no pale fringe meets the see-through white.
#include "draw.h"
#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gen {

namespace {

constexpr Rgb kMarker = rgb(255, 0, 255);
constexpr Rgb kSkin = rgb(250, 204, 160);
constexpr Rgb kSkinShade = rgb(226, 168, 128);
constexpr Rgb kHair = rgb(122, 70, 30);
constexpr Rgb kCap = rgb(222, 44, 44);
constexpr Rgb kCapDark = rgb(160, 24, 32);
constexpr Rgb kShirt = rgb(56, 124, 226);
constexpr Rgb kShirtDark = rgb(36, 84, 170);
constexpr Rgb kPants = rgb(48, 56, 120);
constexpr Rgb kPantsDark = rgb(34, 38, 88);
constexpr Rgb kShoe = rgb(150, 62, 28);
constexpr Rgb kShoeDark = rgb(110, 44, 22);
constexpr Rgb kBag = rgb(70, 170, 70);
constexpr Rgb kBagDark = rgb(40, 120, 48);
constexpr Rgb kEye = rgb(28, 28, 60);
constexpr Rgb kGold = rgb(255, 210, 60);

struct Pose {
    double bob = 0;                         // body shift down
    double frontFootX = 0, frontFootY = 0;  // feet relative to the hip
    double backFootX = 0, backFootY = 0;
    double frontHandX = 0, frontHandY = 0;  // hands relative to the shoulder
    double backHandX = 0, backHandY = 0;
    bool blink = false;
    bool openMouth = false;
};

void limb(Image& f, double x0, double y0, double x1, double y1, double w, Rgb c) { drawLine(f, x0, y0, x1, y1, w, c, false); }

void drawFrame(Image& f, const Pose& p) {
    const double hipX = 27, hipY = 46 + p.bob;
    const double shX = 27, shY = 32 + p.bob;
    // Back arm and back leg, darker.
    limb(f, shX - 1, shY, shX - 1 + p.backHandX, shY + p.backHandY, 5, kShirtDark);
    fillCircle(f, shX - 1 + p.backHandX, shY + p.backHandY, 2.6, kSkinShade, false);
    limb(f, hipX - 2, hipY, hipX - 2 + p.backFootX, hipY + p.backFootY - 3, 6, kPantsDark);
    fillRoundRect(f, hipX - 4 + p.backFootX, hipY + p.backFootY - 4, 9, 5, 2, kShoeDark, false);
    // Satchel on the back.
    fillRoundRect(f, 16, 30 + p.bob, 8, 13, 2.5, kBagDark, false);
    fillRoundRect(f, 16, 30 + p.bob, 7, 11, 2.5, kBag, false);
    // Body.
    fillRoundRect(f, 20, 28 + p.bob, 15, 20, 5, kShirt, false);
    fillRect(f, 20, static_cast<int>(44 + p.bob), 15, 3, kPants);
    // Gold plus on the shirt.
    fillRect(f, 28, static_cast<int>(35 + p.bob), 5, 1, kGold);
    fillRect(f, 30, static_cast<int>(33 + p.bob), 1, 5, kGold);
    // Front leg.
    limb(f, hipX + 2, hipY, hipX + 2 + p.frontFootX, hipY + p.frontFootY - 3, 6, kPants);
    fillRoundRect(f, hipX + p.frontFootX, hipY + p.frontFootY - 4, 10, 5, 2, kShoe, false);
    // A raised front arm goes behind the head.
    const bool armUp = p.frontHandY < 0 && p.frontHandX < 10;
    if (armUp) {
        limb(f, shX + 1, shY, shX + 1 + p.frontHandX, shY + p.frontHandY, 5, kShirt);
        fillCircle(f, shX + 1 + p.frontHandX, shY + p.frontHandY, 2.6, kSkin, false);
    }
    // Head.
    const double hx = 28, hy = 17 + p.bob;
    fillCircle(f, hx - 7, hy + 1, 6, kHair, false);  // hair at the back
    fillCircle(f, hx, hy, 10.5, kSkin, false);
    fillEllipse(f, hx + 9.5, hy + 1.5, 2.2, 2.6, kSkin, false);  // nose
    // Cap with its visor to the front.
    fillShape(f, 0, 0, 42, 65, kCap, false, [&](double x, double y) {
        const double dx = x - hx, dy = y - (hy - 2);
        return dy < 0 && dx * dx + dy * dy <= 11.2 * 11.2;
    });
    fillRect(f, static_cast<int>(hx - 11), static_cast<int>(hy - 3), 23, 2, kCapDark);
    fillRoundRect(f, hx + 4, hy - 4, 11, 3.5, 1.5, kCapDark, false);
    fillCircle(f, hx + 1, hy - 8, 2.7, kGold, false);
    // Face.
    if (p.blink) {
        fillRect(f, static_cast<int>(hx + 4), static_cast<int>(hy + 2), 3, 1, kEye);
    } else {
        fillRect(f, static_cast<int>(hx + 4), static_cast<int>(hy), 3, 4, kEye);
        f.set(static_cast<int>(hx + 5), static_cast<int>(hy), rgb(230, 230, 240));
    }
    fillCircle(f, hx + 2, hy + 6, 2, rgb(248, 150, 140), false);  // cheek
    if (p.openMouth) {
        fillEllipse(f, hx + 7, hy + 7.5, 1.6, 2.0, rgb(150, 40, 50), false);
    } else {
        fillRect(f, static_cast<int>(hx + 6), static_cast<int>(hy + 7), 3, 1, rgb(150, 50, 50));
        f.set(static_cast<int>(hx + 5), static_cast<int>(hy + 6), rgb(150, 50, 50));
    }
    fillEllipse(f, hx - 4, hy + 2, 1.8, 2.4, kSkinShade, false);  // ear
    // Front arm.
    if (!armUp) {
        limb(f, shX + 1, shY, shX + 1 + p.frontHandX, shY + p.frontHandY, 5, kShirt);
        fillCircle(f, shX + 1 + p.frontHandX, shY + p.frontHandY, 2.6, kSkin, false);
    }
}

// Outline every marker pixel next to the figure, then turn the marker white.
void finish(Image& f) {
    Image out = f;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            if (f.at(x, y) != kMarker) continue;
            bool edge = false;
            for (int dy = -1; dy <= 1 && !edge; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if ((dx == 0 || dy == 0) && f.inside(x + dx, y + dy) && f.at(x + dx, y + dy) != kMarker) {
                        edge = true;
                        break;
                    }
            out.set(x, y, edge ? kOutline : rgb(255, 255, 255));
        }
    f = out;
}

Pose poseFor(int row, int column) {
    Pose p;
    p.frontFootX = 2;
    p.frontFootY = 19;
    p.backFootX = -3;
    p.backFootY = 19;
    p.frontHandX = 3;
    p.frontHandY = 11;
    p.backHandX = -3;
    p.backHandY = 11;
    const double a = column / 7.0 * 2 * std::numbers::pi;
    switch (row) {
    case 0:
        p.blink = column == 4;
        break;
    case 1: {
        const double s = std::sin(a);
        p.frontFootX = 8 * s;
        p.backFootX = -8 * s;
        p.frontFootY = 19 - std::max(0.0, -std::cos(a)) * 3;
        p.backFootY = 19 - std::max(0.0, std::cos(a)) * 3;
        p.frontHandX = -7 * s;
        p.frontHandY = 10;
        p.backHandX = 7 * s;
        p.backHandY = 10;
        p.bob = std::abs(s) < 0.5 ? -1 : 0;
        break;
    }
    case 2:
        p.frontFootX = 7;
        p.frontFootY = 13;
        p.backFootX = -3;
        p.backFootY = 19;
        p.frontHandX = 12;
        p.frontHandY = -7;
        p.backHandX = -9;
        p.backHandY = -9;
        p.openMouth = true;
        break;
    default:
        p.frontFootX = 7;
        p.frontFootY = 17;
        p.backFootX = -7;
        p.backFootY = 16;
        p.frontHandX = 11;
        p.frontHandY = -6;
        p.backHandX = -10;
        p.backHandY = -6;
        p.openMouth = true;
        break;
    }
    return p;
}

}  // namespace

void drawHero(Image& img, int x, int y, int row, int column) {
    Image f(layout::kHeroWidth, layout::kHeroHeight, kMarker);
    drawFrame(f, poseFor(row, column));
    finish(f);
    blitKeyed(img, f, x, y, rgb(255, 255, 255));
}

Image makePlayerSheet() {
    Image sheet(layout::kHeroSheetWidth, layout::kHeroSheetHeight, rgb(255, 255, 255));
    for (int row = 0; row < layout::kHeroRows; ++row)
        for (int column = 0; column < layout::kHeroColumns; ++column)
            drawHero(sheet, column * layout::kHeroWidth, row * layout::kHeroHeight, row, column);
    return sheet;
}

}  // namespace gen
