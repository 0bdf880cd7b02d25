// Where the 640 x 480 frame sits on screens of many sizes, and how mouse positions map back.
#include "platform/letterbox.h"

#include <gtest/gtest.h>

TEST(Letterbox, FitsTheFrameWithItsAspectKeptOnEveryScreen) {
    struct Row {
        int w, h;
        plat::Letterbox expect;
    };
    const Row rows[] = {
        {640, 480, {0, 0, 640, 480, 1}},
        {1280, 960, {0, 0, 1280, 960, 2}},
        {1024, 768, {0, 0, 1024, 768, 1}},
        {1920, 1080, {240, 0, 1440, 1080, 2}},  // bars left and right
        {1366, 768, {171, 0, 1024, 768, 1}},
        {2560, 1440, {320, 0, 1920, 1440, 3}},
        {1280, 1024, {0, 32, 1280, 960, 2}},  // bars above and below
        {3840, 2160, {480, 0, 2880, 2160, 4}},
        {800, 1280, {0, 340, 800, 600, 1}},   // a portrait screen
        {320, 240, {0, 0, 320, 240, 1}},      // smaller than the frame: still shown whole
        {641, 481, {0, 0, 641, 480, 1}},      // one pixel over: no bar of half a pixel
        {1000, 500, {167, 0, 666, 500, 1}},   // a window made smaller by the player
        {700, 900, {0, 187, 700, 525, 1}},    // a tall tile of a tiling window manager
        {1280, 1000, {0, 20, 1280, 960, 2}},  // a whole multiple with a panel taking rows
        {0, 0, {0, 0, 0, 0, 1}},
    };
    for (const Row& r : rows) {
        const plat::Letterbox b = plat::fitFrame(r.w, r.h, 640, 480);
        EXPECT_EQ(b.x, r.expect.x) << r.w << "x" << r.h;
        EXPECT_EQ(b.y, r.expect.y) << r.w << "x" << r.h;
        EXPECT_EQ(b.width, r.expect.width) << r.w << "x" << r.h;
        EXPECT_EQ(b.height, r.expect.height) << r.w << "x" << r.h;
        EXPECT_EQ(b.wholeScale, r.expect.wholeScale) << r.w << "x" << r.h;
    }
}

TEST(Letterbox, MapsWindowPositionsToFramePixelsAndClampsTheBars) {
    struct Row {
        int w, h, wx, wy, fx, fy;
    };
    const Row rows[] = {
        {640, 480, 0, 0, 0, 0},
        {640, 480, 639, 479, 639, 479},
        {1280, 960, 557, 301, 278, 150},  // pixel (278, 150) covers 556..557
        {1280, 960, 558, 302, 279, 151},
        {1920, 1080, 240, 0, 0, 0},          // left edge of the picture
        {1920, 1080, 100, 500, 0, 222},      // in the left bar: clamped to column 0
        {1920, 1080, 1900, 1079, 639, 479},  // in the right bar
        {1920, 1080, 1679, 1079, 639, 479},
        {1280, 1024, 640, 10, 320, 0},      // in the top bar
        {1280, 1024, 640, 1020, 320, 479},  // in the bottom bar
        {1024, 768, 512, 384, 320, 240},
        {1024, 768, -50, -50, 0, 0},      // outside the window altogether
        {1000, 500, 507, 246, 326, 236},  // not a whole multiple: 500/480 pixels a row
        {1000, 500, 166, 250, 0, 240},    // the last column of the left bar
        {700, 900, 350, 711, 320, 479},   // the frame's last row
        {700, 900, 350, 712, 320, 479},   // the bottom bar
    };
    for (const Row& r : rows) {
        const plat::Letterbox b = plat::fitFrame(r.w, r.h, 640, 480);
        const plat::Point p = plat::windowToFrame(b, r.wx, r.wy, 640, 480);
        EXPECT_EQ(p.x, r.fx) << r.w << "x" << r.h << " at " << r.wx << "," << r.wy;
        EXPECT_EQ(p.y, r.fy) << r.w << "x" << r.h << " at " << r.wx << "," << r.wy;
    }
}

TEST(Letterbox, MapsMousePointsThroughTheDrawablesPixels) {
    struct Row {
        plat::WindowSize window;
        int px, py, fx, fy;
    };
    const Row rows[] = {
        {{1280, 1024, 1280, 1024}, 652, 504, 326, 236},  // points are pixels
        {{960, 540, 1920, 1080}, 480, 270, 320, 240},    // HiDPI: twice the pixels of the points
        {{960, 540, 1920, 1080}, 119, 10, 0, 8},         // ... the left bar in points
        {{960, 540, 1920, 1080}, 840, 539, 639, 479},    // ... the frame's far corner
        {{1000, 800, 1500, 1200}, 500, 400, 320, 240},   // one and a half pixels a point
        {{0, 0, 0, 0}, 10, 10, 0, 0},                    // no window
    };
    for (const Row& r : rows) {
        const plat::Point p = plat::pointToFrame(r.window, r.px, r.py, 640, 480);
        EXPECT_EQ(p.x, r.fx) << r.window.pointWidth << "x" << r.window.pointHeight << " at " << r.px << "," << r.py;
        EXPECT_EQ(p.y, r.fy) << r.window.pointWidth << "x" << r.window.pointHeight << " at " << r.px << "," << r.py;
    }
}
