// The title picture: the name of the game over a sunny Numeria, a frame for the three menu
// buttons at (278, 150), (278, 220), (278, 290), the hero and some tokens, and a dark strip at
// the bottom where the credits roll (lines at y 410 and 440).
#include "pictures.h"
#include "scenery.h"
#include "text.h"

namespace gen {

Image makeTitle(const texts::Texts& words) {
    Image img(layout::kFrameWidth, layout::kFrameHeight, 0);
    sky(img, rgb(70, 150, 250), rgb(190, 230, 255), 0, layout::kFrameHeight);
    sun(img, 560, 60, 26, rgb(255, 240, 140), rgb(255, 250, 200));
    const char* signs = "1+2=3x5-4:7";
    for (int i = 0; signs[i] != 0; ++i) {
        const char c = signs[i] == 'x' ? '\xD7' : signs[i];  // a times cross (Windows-1250)
        ghostSign(img, c, 30 + (i * 7) % 20, 30 + i * 57, 160 + (hash3(i, 0, 3) % 160), rgb(255, 255, 255), 0.3);
    }
    cloud(img, 90, 150, 24, rgb(255, 255, 250), rgb(210, 226, 245));
    cloud(img, 560, 190, 20, rgb(255, 255, 250), rgb(210, 226, 245));
    hills(img, 330, 60, 170, 91, rgb(150, 210, 110), rgb(110, 180, 90));
    hills(img, 375, 40, 110, 92, rgb(100, 196, 76), rgb(70, 150, 60));
    roundTree(img, 70, 362, 44, rgb(70, 170, 60), rgb(110, 70, 40));
    roundTree(img, 590, 358, 40, rgb(70, 170, 60), rgb(110, 70, 40));
    for (int i = 0; i < 24; ++i)
        flower(img, hash3(i, 0, 93) % layout::kFrameWidth, 372 + hash3(i, 1, 93) % 18,
               i % 2 ? rgb(255, 90, 110) : rgb(255, 255, 245));

    // The name of the game with a subtitle.
    TextStyle logo;
    logo.top = rgb(255, 250, 190);
    logo.bottom = rgb(255, 150, 30);
    logo.outline = kOutline;
    logo.outlineRadius = 4;
    logo.hardOutline = false;
    logo.shadow = 4;
    drawTextCentred(img, "KALKULON", 64, 320, 62, logo);
    TextStyle sub;
    sub.top = rgb(255, 255, 255 - 5);
    sub.bottom = rgb(210, 236, 255);
    sub.outlineRadius = 2;
    sub.hardOutline = false;
    drawTextCentred(img, words.utf8(texts::TextId::TitleSubtitle), 17, 320, 116, sub);

    // A frame behind the menu.
    fillRoundRect(img, 254, 136, 148, 206, 14, rgb(16, 16, 40), true);
    fillRoundRect(img, 257, 139, 142, 200, 12, rgb(250, 200, 80), true);
    fillRoundRect(img, 261, 143, 134, 192, 10, rgb(40, 50, 110), true);
    for (int y = 143; y < 335; ++y)
        for (int x = 261; x < 395; ++x)
            if (img.at(x, y) == rgb(40, 50, 110)) img.set(x, y, mix(rgb(56, 70, 150), rgb(30, 36, 90), (y - 143) / 192.0));

    // The hero and a few tokens round the menu.
    drawHero(img, 150, 300, 0, 0);
    drawToken(img, 460, 170, 3, 0);
    drawToken(img, 500, 215, kTokenPlus, 3);
    drawToken(img, 460, 262, 4, 6);
    drawToken(img, 520, 290, kTokenEquals, 2);
    drawToken(img, 130, 200, 7, 4);
    drawToken(img, 170, 246, kTokenTimes, 1);

    // The credits strip.
    for (int y = 396; y < layout::kFrameHeight; ++y)
        for (int x = 0; x < layout::kFrameWidth; ++x) {
            const double n = fractalNoise(x / 20.0, y / 8.0, 94, 2);
            img.set(x, y, mix(rgb(40, 34, 80), rgb(20, 16, 44), (y - 396) / 84.0 * 0.7 + n * 0.3));
        }
    for (int x = 0; x < layout::kFrameWidth; ++x) {
        img.set(x, 396, rgb(250, 200, 80));
        img.set(x, 397, rgb(170, 120, 40));
    }
    return img;
}

}  // namespace gen
