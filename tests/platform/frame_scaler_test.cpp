// The frame scaled on our side into a window's pixels: the picture against a plain reference
// scale at many window sizes, the mouse landing on what is drawn under it, and redrawing only
// the changed parts giving the same picture as drawing everything.
#include "platform/frame_scaler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

constexpr int kW = 640;
constexpr int kH = 480;

struct Window {
    int width, height;
    bool wholeMultiple;  // the picture is the frame repeated a whole number of times: sharp
};

const Window kWindows[] = {
    {640, 480, true},    {1280, 960, true},  {1920, 1440, true}, {1280, 1024, true},  // bars above and below
    {1920, 1080, false}, {1024, 768, false}, {800, 600, false},  {1366, 768, false},
    {700, 900, false},   {320, 240, false},  {1000, 500, false},
};

std::vector<std::uint16_t> noise(unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint16_t> frame(kW * kH);
    for (auto& p : frame) p = static_cast<std::uint16_t>(random());
    return frame;
}

struct Scaled {
    plat::FrameScaler scaler;
    std::vector<std::uint32_t> pixels;

    Scaled(const Window& w, const std::vector<std::uint16_t>& frame, const std::vector<std::uint32_t>& colours)
        : scaler(w.width, w.height, kW, kH), pixels(static_cast<std::size_t>(w.width) * w.height, 0xDEADBEEF) {
        scaler.drawBars(pixels.data(), w.width, colours[0]);
        scaler.draw(frame.data(), kW, {0, 0, kW, kH}, colours.data(), pixels.data(), w.width);
    }
};

int channel(std::uint32_t pixel, int shift) { return static_cast<int>((pixel >> shift) & 0xFF); }

// The renderer's look, computed plainly: the frame repeated by the largest whole multiple that
// fits, then sampled linearly at each window pixel's centre, clamped at the edges.
std::uint32_t reference(const std::vector<std::uint16_t>& frame, const std::vector<std::uint32_t>& colours,
                        const plat::Letterbox& box, int x, int y) {
    if (x < box.x || y < box.y || x >= box.x + box.width || y >= box.y + box.height) return 0;
    const int k = box.wholeScale;
    auto sample = [](double centre, int windowPixels, int repeated, int& a, int& b) {
        const double u = std::clamp(centre * repeated / windowPixels - 0.5, 0.0, repeated - 1.0);
        a = static_cast<int>(std::floor(u));
        b = std::min(a + 1, repeated - 1);
        return u - a;
    };
    int x0, x1, y0, y1;
    const double fx = sample(x - box.x + 0.5, box.width, kW * k, x0, x1);
    const double fy = sample(y - box.y + 0.5, box.height, kH * k, y0, y1);
    auto at = [&](int sx, int sy) { return colours[frame[(sy / k) * kW + sx / k]]; };
    std::uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const double top = channel(at(x0, y0), shift) * (1 - fx) + channel(at(x1, y0), shift) * fx;
        const double bottom = channel(at(x0, y1), shift) * (1 - fx) + channel(at(x1, y1), shift) * fx;
        out |= static_cast<std::uint32_t>(std::lround(top * (1 - fy) + bottom * fy)) << shift;
    }
    return out;
}

}  // namespace

TEST(FrameScaler, DrawsTheRenderersPictureAtEveryWindowSize) {
    const auto colours = plat::windowColours(16, 8, 0, 0);
    const auto frame = noise(17);
    for (const Window& w : kWindows) {
        const Scaled scaled(w, frame, colours);
        int worst = 0;
        for (int y = 0; y < w.height; ++y)
            for (int x = 0; x < w.width; ++x) {
                const std::uint32_t want = reference(frame, colours, scaled.scaler.box(), x, y);
                const std::uint32_t got = scaled.pixels[static_cast<std::size_t>(y) * w.width + x];
                for (int shift : {0, 8, 16, 24}) worst = std::max(worst, std::abs(channel(got, shift) - channel(want, shift)));
            }
        // Sharp pictures are exact; a smooth fit rounds its two blends, up to two steps apart.
        EXPECT_LE(worst, w.wholeMultiple ? 0 : 2) << w.width << "x" << w.height;
    }
}

// The frame in 4 x 4 blocks of four pure colours, neighbours (diagonals too) never alike: a blend
// of two blocks shows neither colour, and wherever a block's colour shows, the mouse there must
// land in a block of that colour.
TEST(FrameScaler, TheMouseLandsOnThePixelDrawnUnderIt) {
    const auto colours = plat::windowColours(16, 8, 0, 0);
    const std::uint16_t pure[] = {0xF800, 0x07E0, 0x001F, 0xFFFF};
    auto blockColour = [&](int x, int y) { return pure[(x / 4) % 2 + 2 * ((y / 4) % 2)]; };
    std::vector<std::uint16_t> frame(kW * kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) frame[y * kW + x] = blockColour(x, y);
    for (const Window& w : kWindows) {
        const Scaled scaled(w, frame, colours);
        int checked = 0;
        for (int y = 0; y < w.height; ++y)
            for (int x = 0; x < w.width; ++x) {
                const std::uint32_t shown = scaled.pixels[static_cast<std::size_t>(y) * w.width + x];
                if (std::none_of(std::begin(pure), std::end(pure), [&](std::uint16_t c) { return colours[c] == shown; }))
                    continue;  // a blend of blocks, or a bar
                const plat::Point p = plat::pointToFrame({w.width, w.height, w.width, w.height}, x, y, kW, kH);
                ASSERT_EQ(colours[blockColour(p.x, p.y)], shown) << w.width << "x" << w.height << " at " << x << "," << y;
                ++checked;
            }
        EXPECT_GT(checked, w.width * w.height / 4) << w.width << "x" << w.height;
    }
}

TEST(FrameScaler, RedrawingOnlyTheChangedAreasGivesTheWholePicture) {
    struct Change {
        const char* what;
        std::vector<plat::PixelRect> paint;  // areas of the frame painted a new colour
        std::size_t areas;                   // rectangles found changed
        int pixels;                          // their frame pixels together
    };
    const Change changes[] = {
        {"nothing", {}, 0, 0},
        {"one pixel in the corner", {{0, 0, 1, 1}}, 1, 32 * 32},
        {"the far corner", {{639, 479, 1, 1}}, 1, 32 * 32},
        {"two curtain cells", {{320, 224, 32, 32}, {32, 448, 32, 32}}, 2, 2 * 32 * 32},
        {"a figure across four cells", {{120, 90, 20, 30}}, 1, 4 * 32 * 32},
        {"a line of text", {{50, 5, 200, 12}}, 1, 7 * 32 * 32},
        {"a column down the frame", {{300, 0, 2, 480}}, 1, 32 * 480},
        {"everything", {{0, 0, 640, 480}}, 1, 640 * 480},
    };
    const auto colours = plat::windowColours(16, 8, 0, 0);
    const auto before = noise(3);
    for (const Window& w : {kWindows[1], kWindows[4], kWindows[5], kWindows[10]}) {
        for (const Change& c : changes) {
            auto after = before;
            for (const plat::PixelRect& r : c.paint)
                for (int y = r.y; y < r.y + r.height; ++y)
                    for (int x = r.x; x < r.x + r.width; ++x) after[y * kW + x] ^= 0xFFFF;
            std::vector<plat::PixelRect> areas;
            plat::changedAreas(before.data(), kW, after.data(), kW, kW, kH, areas);
            int pixels = 0;
            for (const auto& a : areas) pixels += a.width * a.height;
            EXPECT_EQ(areas.size(), c.areas) << c.what;
            EXPECT_EQ(pixels, c.pixels) << c.what;

            // Presented after the whole of `before`, and back again: the frame kept as shown
            // must be the one presented, or the way back would miss cells.
            plat::FrameScaler scaler(w.width, w.height, kW, kH);
            std::vector<std::uint32_t> window(static_cast<std::size_t>(w.width) * w.height, 0xDEADBEEF);
            scaler.present(before.data(), kW, colours.data(), window.data(), w.width, false);
            scaler.present(after.data(), kW, colours.data(), window.data(), w.width, false);
            EXPECT_EQ(window, Scaled(w, after, colours).pixels) << w.width << "x" << w.height << ": " << c.what;
            scaler.present(before.data(), kW, colours.data(), window.data(), w.width, false);
            EXPECT_EQ(window, Scaled(w, before, colours).pixels) << w.width << "x" << w.height << ": back from " << c.what;
        }
    }
}
