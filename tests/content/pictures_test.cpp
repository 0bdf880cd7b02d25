// The generated pictures, decoded by the game's own picture decoder: every file at the size
// the game asks for, visible pixels in every frame of the sprite sheets, the hero inside the
// columns that the collision test uses, and dark ground under the white texts.
#include "content_files.h"

#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using content_test::gameDir;

std::vector<std::uint16_t> decode(const std::string& name, int w, int h) {
    std::vector<std::uint16_t> px;
    EXPECT_TRUE(plat::decodePicture((gameDir() / "gfx" / name).string().c_str(), w, h, px)) << name;
    if (px.size() != static_cast<std::size_t>(w) * h) px.assign(static_cast<std::size_t>(w) * h, 0);
    return px;
}

// The width and height written in the file itself, so that nothing is scaled on loading.
std::pair<int, int> fileSize(const std::string& name) {
    std::FILE* f = std::fopen((gameDir() / "gfx" / name).string().c_str(), "rb");
    unsigned char h[26] = {};
    const bool ok = f != nullptr && std::fread(h, 1, sizeof h, f) == sizeof h;
    if (f != nullptr) std::fclose(f);
    if (!ok) return {0, 0};
    return {h[18] | (h[19] << 8), h[22] | (h[23] << 8)};
}

int countOpaque(const std::vector<std::uint16_t>& px, int stride, int x0, int y0, int w, int h, std::uint16_t key) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) n += px[static_cast<std::size_t>(y) * stride + x] != key;
    return n;
}

double luminance(const std::vector<std::uint16_t>& px, int x0, int y0, int w, int h) {
    double sum = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const std::uint16_t p = px[static_cast<std::size_t>(y) * 640 + x];
            sum += 0.3 * ((p >> 11) & 31) * 8.2 + 0.59 * ((p >> 5) & 63) * 4.05 + 0.11 * (p & 31) * 8.2;
        }
    return sum / (w * h);
}

TEST(ContentPictures, EveryPictureIsThereAtTheSizeTheGameAsksFor) {
    std::vector<std::tuple<std::string, int, int>> pictures = {
        {"butony.bmp", 640, 480}, {"gracz1.bmp", 344, 264}, {"title.bmp", 640, 480}, {"hiscore.bmp", 640, 480}};
    for (int n = 1; n <= 7; ++n) {
        pictures.emplace_back("klocki" + std::to_string(n) + ".bmp", 128, 32);
        pictures.emplace_back(content_test::readLevel(n).background, 640, 480);
    }
    for (const auto& [name, w, h] : pictures) {
        SCOPED_TRACE(name);
        EXPECT_EQ(fileSize(name), std::make_pair(w, h));
        decode(name, w, h);
    }
}

TEST(ContentPictures, EveryFrameOfTheButtonSheetShowsSomething) {
    const auto px = decode("butony.bmp", 640, 480);
    const int buttonTops[3] = {0, 73, 145};
    for (int type = 0; type < 3; ++type)
        for (int f = 0; f < 12; ++f) {
            const int n = countOpaque(px, 640, (f % 6) * 100, buttonTops[type] + (f / 6) * 36, 100, 36, 0);
            EXPECT_GT(n, 100 * 36 * 8 / 10) << "button " << type + 1 << " frame " << f;
        }
    for (int type = 1; type <= 14; ++type)
        for (int f = 0; f < 9; ++f) {
            const int x0 = (type % 2 == 1 ? 0 : 306) + 34 * f, y0 = 219 + 34 * ((type - 1) / 2);
            EXPECT_GT(countOpaque(px, 640, x0, y0, 34, 33, 0), 600) << "bonus " << type << " frame " << f;
        }
    for (int g = 0; g < 43; ++g) {
        const int n = countOpaque(px, 640, g * 12, 460, 12, 14, 0);
        EXPECT_GT(n, 12) << "glyph " << static_cast<char>('0' + g);
        EXPECT_LT(n, 12 * 14) << "glyph " << static_cast<char>('0' + g);
    }
    EXPECT_EQ(countOpaque(px, 640, 608, 0, 32, 32, 0), 32 * 32) << "curtain tile";
    // The hover frames differ from the resting frame 5.
    for (int type = 0; type < 3; ++type) {
        int differing = 0;
        for (int y = 0; y < 36; ++y)
            for (int x = 0; x < 100; ++x)
                differing += px[static_cast<std::size_t>(buttonTops[type] + y) * 640 + 500 + x] !=
                             px[static_cast<std::size_t>(buttonTops[type] + 36 + y) * 640 + x];
        EXPECT_GT(differing, 500) << "button " << type + 1 << ": frame 5 against frame 6";
    }
}

// Colours that the 16-bit conversion turns into a colour key would punch holes into a sprite:
// near-black on the button sheet, near-white on the hero's sheet.
TEST(ContentPictures, NoSpriteColourTurnsIntoTheKey) {
    auto countNearKey = [](const std::string& name, bool black) {
        std::ifstream in(gameDir() / "gfx" / name, std::ios::binary);
        const std::vector<unsigned char> d((std::istreambuf_iterator<char>(in)), {});
        if (d.size() < 54) return -1;
        const int w = d[18] | (d[19] << 8), h = d[22] | (d[23] << 8), off = d[10] | (d[11] << 8);
        const int row = (w * 3 + 3) & ~3;
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::size_t at = static_cast<std::size_t>(off + y * row + x * 3);
                const int b = d[at], g = d[at + 1], r = d[at + 2];
                if (black) n += (r | g | b) != 0 && r < 8 && g < 4 && b < 8;
                else n += !(r == 255 && g == 255 && b == 255) && r >= 248 && g >= 252 && b >= 248;
            }
        return n;
    };
    EXPECT_EQ(countNearKey("butony.bmp", true), 0);
    EXPECT_EQ(countNearKey("gracz1.bmp", false), 0);
}

TEST(ContentPictures, HeroStaysWithinTheColumnsItCollidesWithAndStandsOnTheFrameBottom) {
    const auto px = decode("gracz1.bmp", 344, 264);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 7; ++col) {
            SCOPED_TRACE("row " + std::to_string(row) + " column " + std::to_string(col));
            const int x0 = col * 43, y0 = row * 66;
            EXPECT_GT(countOpaque(px, 344, x0, y0, 43, 66, 0xFFFF), 600);
            // The body is tested at columns 15..39 facing right (4..28 mirrored): nothing
            // beyond a hand's breadth outside that.
            EXPECT_EQ(countOpaque(px, 344, x0, y0, 12, 66, 0xFFFF), 0);
            long sumX = 0, n = 0;
            for (int y = 0; y < 66; ++y)
                for (int x = 0; x < 43; ++x)
                    if (px[static_cast<std::size_t>(y0 + y) * 344 + x0 + x] != 0xFFFF) {
                        sumX += x;
                        ++n;
                    }
            EXPECT_NEAR(static_cast<double>(sumX) / static_cast<double>(n), 27.0, 3.0);
            EXPECT_GT(countOpaque(px, 344, x0, y0 + 64, 43, 2, 0xFFFF), 4) << "feet on the frame's bottom";
        }
}

TEST(ContentPictures, WhiteTextsLieOnDarkGround) {
    for (int n = 1; n <= 7; ++n) {
        const lvl::Level level = content_test::readLevel(n);
        SCOPED_TRACE(level.background);
        const auto px = decode(level.background, 640, 480);
        EXPECT_LT(luminance(px, level.targetX, level.targetY, 16, 14), 90) << "the board under its number";
        EXPECT_LT(luminance(px, 0, 452, 640, 28), 90) << "the bottom panel";
    }
    const auto title = decode("title.bmp", 640, 480);
    EXPECT_LT(luminance(title, 40, 405, 420, 50), 90) << "the credits strip";
    const auto table = decode("hiscore.bmp", 640, 480);
    EXPECT_LT(luminance(table, 246, 138, 200, 196), 110) << "the table";
}

}  // namespace
