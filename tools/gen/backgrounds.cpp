// The seven worlds of Numeria behind the levels: a meadow, a beach, an ice field, a forest, a
// castle at sunset, a crystal cave and Minusor's tower at night. Each gets the level's board
// and the bottom panel. The plain ones, for lessons, leave out the digits and signs painted in
// the sky (and Minusor's minus on his tower), which would otherwise stand beside the lesson's sum.
#include "pictures.h"
#include "scenery.h"

#include <algorithm>
#include <cmath>

namespace gen {

namespace {

void floatingSigns(Image& img, const char* signs, int seed, Rgb colour, double alpha, int yMax) {
    for (int i = 0; signs[i] != 0; ++i) {
        const double x = 40 + (hash3(i, 7, seed) % 560);
        const double y = 30 + (hash3(i, 8, seed) % static_cast<std::uint32_t>(yMax - 30));
        // The signs as a child writes them: a cross for times, a colon-bar for sharing.
        const char c = signs[i] == '*' ? '\xD7' : (signs[i] == '/' ? '\xF7' : signs[i]);
        ghostSign(img, c, 28 + static_cast<int>(hash3(i, 9, seed) % 24), x, y, colour, alpha);
    }
}

void meadow(Image& img, bool plain) {
    sky(img, rgb(90, 170, 250), rgb(200, 236, 255), 0, 448);
    sun(img, 540, 70, 30, rgb(255, 240, 140), rgb(255, 250, 200));
    if (!plain) floatingSigns(img, "3+7=", 5, rgb(255, 255, 255), 0.28, 200);
    cloud(img, 120, 70, 26, rgb(255, 255, 255 - 5), rgb(210, 226, 245));
    cloud(img, 360, 110, 20, rgb(255, 255, 255 - 5), rgb(210, 226, 245));
    hills(img, 300, 70, 160, 3, rgb(150, 210, 110), rgb(110, 180, 90));
    hills(img, 370, 50, 110, 4, rgb(110, 200, 80), rgb(70, 150, 60));
    for (int i = 0; i < 6; ++i)
        roundTree(img, 60 + i * 110 + (hash3(i, 0, 1) % 40), 330 + (hash3(i, 1, 1) % 30), 34, rgb(70, 170, 60), rgb(110, 70, 40));
    for (int i = 0; i < 40; ++i)
        flower(img, hash3(i, 0, 2) % layout::kFrameWidth, 370 + hash3(i, 1, 2) % 70,
               i % 3 == 0 ? rgb(255, 90, 110) : (i % 3 == 1 ? rgb(255, 255, 255 - 10) : rgb(180, 120, 255)));
}

void beach(Image& img, bool plain) {
    sky(img, rgb(255, 170, 110), rgb(255, 230, 170), 0, 448);
    sun(img, 470, 150, 40, rgb(255, 240, 150), rgb(255, 200, 120));
    if (!plain) floatingSigns(img, "2+5-", 15, rgb(255, 255, 255), 0.25, 180);
    cloud(img, 160, 60, 22, rgb(255, 244, 230), rgb(240, 200, 170));
    // Sea with glints.
    for (int y = 230; y < 448; ++y)
        for (int x = 0; x < layout::kFrameWidth; ++x) {
            const double t = (y - 230) / 218.0;
            Rgb c = mix(rgb(60, 170, 210), rgb(30, 110, 170), t);
            if (noise01(x / 6, y / 2, 17) > 0.93 && (y % 3 == 0)) c = mix(c, rgb(255, 250, 220), 0.5);
            img.set(x, y, c);
        }
    hills(img, 330, 40, 200, 18, rgb(250, 220, 140), rgb(220, 170, 90));
    palm(img, 80, 320, 120);
    palm(img, 580, 330, 100);
    palm(img, 330, 340, 80);
}

void iceField(Image& img, bool plain) {
    sky(img, rgb(150, 190, 240), rgb(230, 244, 255), 0, 448);
    sun(img, 100, 80, 24, rgb(255, 255, 230), rgb(230, 240, 255));
    if (!plain) floatingSigns(img, "4-1+6", 25, rgb(255, 255, 255), 0.3, 200);
    mountains(img, 330, 200, 31, rgb(130, 150, 200), rgb(250, 252, 255 - 3));
    hills(img, 380, 40, 140, 32, rgb(230, 242, 255), rgb(180, 210, 240));
    for (int i = 0; i < 5; ++i) pineTree(img, 40 + i * 140, 400, 60, rgb(60, 120, 120), rgb(90, 60, 40));
    for (int i = 0; i < 70; ++i) {
        const double x = hash3(i, 0, 33) % layout::kFrameWidth, y = hash3(i, 1, 33) % 440;
        fillCircle(img, x, y, 1 + (i % 3) * 0.6, rgb(255, 255, 255 - 3), true);
    }
}

void forest(Image& img, bool plain) {
    sky(img, rgb(120, 200, 200), rgb(220, 250, 220), 0, 448);
    if (!plain) floatingSigns(img, "6*2+3", 45, rgb(255, 255, 240), 0.3, 170);
    // Light rays.
    for (int y = 0; y < 448; ++y)
        for (int x = 0; x < layout::kFrameWidth; ++x) {
            const double u = x + y * 0.5;
            const double ray = std::pow(std::max(0.0, std::sin(u / 40.0)), 8);
            blend(img, x, y, rgb(255, 255, 220), ray * 0.12 * (1 - y / 448.0));
        }
    hills(img, 290, 40, 120, 44, rgb(70, 140, 90), rgb(50, 110, 70));
    for (int i = 0; i < 14; ++i)
        pineTree(img, 20 + i * 46 + (hash3(i, 0, 4) % 20), 300 + (hash3(i, 1, 4) % 30), 110, rgb(40, 110, 70), rgb(80, 50, 30));
    hills(img, 380, 30, 90, 46, rgb(80, 160, 60), rgb(50, 120, 40));
    for (int i = 0; i < 9; ++i) pineTree(img, 30 + i * 75, 420, 140, rgb(30, 90, 50), rgb(70, 44, 26));
}

void castleEvening(Image& img, bool plain) {
    sky(img, rgb(110, 80, 170), rgb(255, 170, 120), 0, 448);
    sun(img, 320, 290, 50, rgb(255, 210, 120), rgb(255, 160, 100));
    if (!plain) floatingSigns(img, "8/2+9", 55, rgb(255, 240, 255), 0.25, 170);
    cloud(img, 130, 110, 20, rgb(250, 200, 220), rgb(200, 140, 190));
    cloud(img, 500, 80, 24, rgb(250, 200, 220), rgb(200, 140, 190));
    hills(img, 330, 40, 150, 56, rgb(120, 90, 140), rgb(90, 70, 110));
    castle(img, 470, 320, 1.3, rgb(150, 120, 170), rgb(110, 60, 120));
    castle(img, 140, 340, 0.8, rgb(140, 110, 160), rgb(100, 56, 110));
    hills(img, 390, 30, 100, 57, rgb(90, 120, 90), rgb(60, 90, 70));
}

void cave(Image& img, bool plain) {
    for (int y = 0; y < 448; ++y)
        for (int x = 0; x < layout::kFrameWidth; ++x) {
            const double n = fractalNoise(x / 60.0, y / 60.0, 66, 4);
            img.set(x, y, mix(rgb(70, 50, 100), rgb(30, 22, 50), n * 0.8 + y / 448.0 * 0.3));
        }
    // Glowing pools of light.
    for (int k = 0; k < 5; ++k) {
        const double gx = 60 + hash3(k, 0, 67) % 520, gy = 80 + hash3(k, 1, 67) % 280;
        for (int y = static_cast<int>(gy) - 90; y < gy + 90; ++y)
            for (int x = static_cast<int>(gx) - 90; x < gx + 90; ++x) {
                const double d = std::hypot(x - gx, y - gy) / 90.0;
                if (d < 1) blend(img, x, y, rgb(120, 220, 230), 0.22 * (1 - d) * (1 - d));
            }
    }
    if (!plain) floatingSigns(img, "9-3*2", 65, rgb(180, 240, 255), 0.2, 300);
    for (int i = 0; i < 16; ++i)
        crystal(img, 20 + i * 40 + hash3(i, 0, 68) % 20, 0, 30 + hash3(i, 1, 68) % 60, 14 + hash3(i, 2, 68) % 10,
                rgb(200, 160, 255), rgb(130, 90, 200), true);
    // Far-off crystal clusters, muted so they read as scenery rather than spikes to avoid.
    for (int i = 0; i < 12; ++i)
        crystal(img, 30 + i * 52 + hash3(i, 0, 69) % 20, 430, 16 + hash3(i, 1, 69) % 34, 14 + hash3(i, 2, 69) % 10,
                rgb(90, 150, 170), rgb(50, 90, 120), false);
}

void tower(Image& img, bool plain) {
    sky(img, rgb(14, 12, 50), rgb(80, 40, 110), 0, 448);
    stars(img, 220, 77, 300);
    sun(img, 520, 80, 28, rgb(240, 240, 255), rgb(170, 170, 230));
    fillCircle(img, 510, 72, 26, rgb(34, 26, 80), true);  // a crescent
    if (!plain) floatingSigns(img, "----", 75, rgb(255, 120, 200), 0.25, 250);
    mountains(img, 360, 140, 78, rgb(60, 40, 90), rgb(120, 90, 160));
    // Minusor's tower with its minus-shaped banner.
    fillRect(img, 290, 120, 60, 330, rgb(36, 26, 58));
    for (int i = 0; i < 4; ++i) fillRect(img, 286 + i * 18, 108, 12, 14, rgb(36, 26, 58));
    for (int i = 0; i < 6; ++i) fillRoundRect(img, 314 + (i % 2) * 6, 150 + i * 46, 7, 12, 3, rgb(150, 96, 60), true);
    if (!plain) fillRect(img, 304, 128, 32, 6, rgb(130, 40, 80));  // Minusor's minus
    hills(img, 400, 30, 100, 79, rgb(70, 50, 100), rgb(40, 30, 70));
}

}  // namespace

Image makeBackground(int world, const lvl::Level& level, const texts::Texts& words, bool plain) {
    Image img(layout::kFrameWidth, layout::kFrameHeight, rgb(90, 170, 250));
    switch (world) {
    case 1:
        meadow(img, plain);
        break;
    case 2:
        beach(img, plain);
        break;
    case 3:
        iceField(img, plain);
        break;
    case 4:
        forest(img, plain);
        break;
    case 5:
        castleEvening(img, plain);
        break;
    case 6:
        cave(img, plain);
        break;
    default:
        tower(img, plain);
        break;
    }
    drawBoard(img, level.targetX, level.targetY, words.utf8(texts::TextId::BoardCaption));
    drawHudStrip(img);
    return img;
}

}  // namespace gen
