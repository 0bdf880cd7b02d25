// The generator's writers: a level source compiled to the game's layout, the BMP writer read
// back by the game's own decoder, the module writer's layout, and the PNG writer read back by
// its reader.
#include "image.h"
#include "lessons/level_binary.h"
#include "lessons/level_text.h"
#include "modfile.h"
#include "png_files.h"

#include "platform/platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace {

std::int32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
                                     (static_cast<std::uint32_t>(b[at + 3]) << 24));
}

std::string source(const std::string& grid13, const std::string& extra) {
    std::string s = "# a test level\nbackground laka.bmp\nboard 7 300 58\nstart 2 12\ngrid\n";
    for (int r = 0; r < 13; ++r) s += (r == 12 ? grid13 : std::string("X..................X")) + "\n";
    s += "X##################X\n";
    return s + extra;
}

TEST(ContentWriters, LevelSourceCompilesToTheGamesLayout) {
    lvl::LevelSource level;
    std::vector<lvl::Problem> problems;
    ASSERT_TRUE(lvl::readLevelText(source("X....=O#X..........X", "bonus 3 5 11\nbonus + 8.5 11 # a comment\nbonus = 17 11\n"),
                                   "t.txt", nullptr, level, problems))
        << problems.front().format(lvl::Language::English);
    const auto b = lvl::encodeLevel(level.level);
    ASSERT_EQ(b.size(), 1160u + 3 * 192);
    EXPECT_EQ(le32(b, 0), 0);  // no block-file names
    EXPECT_EQ(le32(b, 4), 3);  // tokens
    EXPECT_EQ(le32(b, 8), 7);  // board number and its place
    EXPECT_EQ(le32(b, 12), 300);
    EXPECT_EQ(le32(b, 16), 58);
    EXPECT_EQ(le32(b, 20), 2 * 32 - 11);  // body centred on column 2
    EXPECT_EQ(le32(b, 24), 12 * 32);      // top of the cell the feet stand in
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[28])), "laka.bmp");
    EXPECT_EQ(b[39], 0);
    auto cell = [&](int r, int c) { return le32(b, 40 + 4 * static_cast<std::size_t>(r * 20 + c)); };
    EXPECT_EQ(cell(0, 0), 1);
    EXPECT_EQ(cell(0, 1), -1);
    EXPECT_EQ(cell(12, 5), 2);
    EXPECT_EQ(cell(12, 6), 3);
    EXPECT_EQ(cell(12, 7), 0);
    EXPECT_EQ(cell(13, 10), 0);
    // Token records: the sprite centred on its cell, halves allowed, the rest of the record zero.
    EXPECT_EQ(le32(b, 1160), 5 * 32 - 1);
    EXPECT_EQ(le32(b, 1164), 11 * 32 - 1);
    EXPECT_EQ(le32(b, 1168), 3);
    EXPECT_EQ(le32(b, 1160 + 192), 8 * 32 + 16 - 1);
    EXPECT_EQ(le32(b, 1168 + 192), 10);
    EXPECT_EQ(le32(b, 1168 + 384), 14);
    for (std::size_t i = 1172; i < 1160 + 192; ++i) EXPECT_EQ(b[i], 0) << i;
}

TEST(ContentWriters, BmpReadsBackThroughTheGamesDecoder) {
    testing_support::TempDir dir;
    gen::Image img(3, 2, gen::rgb(0, 0, 0));
    img.set(0, 0, gen::rgb(255, 0, 0));
    img.set(1, 0, gen::rgb(0, 255, 0));
    img.set(2, 0, gen::rgb(0, 0, 255));
    img.set(0, 1, gen::rgb(255, 255, 255));
    img.set(2, 1, gen::rgb(16, 16, 40));
    const auto bytes = gen::encodeBmp(img);
    ASSERT_EQ(bytes.size(), 54u + 2 * 12);  // rows of 9 bytes padded to 12
    EXPECT_EQ(bytes[54 + 9], 0);            // padding of the bottom row, written first
    EXPECT_EQ(bytes[54 + 12 + 11], 0);
    ASSERT_TRUE(lvl::writeFile("t.bmp", bytes));
    std::vector<std::uint16_t> px;
    ASSERT_TRUE(plat::decodePicture("t.bmp", 3, 2, px));
    ASSERT_EQ(px.size(), 6u);
    EXPECT_EQ(px[0], 0xF800);
    EXPECT_EQ(px[1], 0x07E0);
    EXPECT_EQ(px[2], 0x001F);
    EXPECT_EQ(px[3], 0xFFFF);                    // white: the hero sheet's key
    EXPECT_EQ(px[4], 0x0000);                    // black: the button sheet's key
    EXPECT_EQ(px[5], (2 << 11) | (4 << 5) | 5);  // the outline colour stays visible
}

TEST(ContentWriters, ModuleLayoutAndPeriods) {
    EXPECT_EQ(gen::notePeriod(1, 0), 856);
    EXPECT_EQ(gen::notePeriod(2, 0), 428);
    EXPECT_EQ(gen::notePeriod(2, 9), 254);
    EXPECT_EQ(gen::notePeriod(3, 11), 113);
    gen::Module m;
    m.title = "Test";
    gen::ModSample s;
    s.name = "square";
    s.data.assign(64, 40);
    s.volume = 50;
    s.loopStart = 0;
    s.loopLength = 64;
    m.samples.push_back(s);
    gen::ModPattern p{};
    p.cells[0][0] = {428, 1, 0xF, 6};
    p.cells[1][3] = {113, 17, 0, 0};
    m.patterns.push_back(p);
    m.patterns.push_back(p);
    m.order = {1, 0};
    const auto b = gen::encodeModule(m);
    ASSERT_EQ(b.size(), 1084u + 2 * 1024 + 64);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data()), 4), "Test");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[20]), 6), "square");
    EXPECT_EQ((b[42] << 8) | b[43], 32);  // length in words, big-endian
    EXPECT_EQ(b[45], 50);
    EXPECT_EQ((b[48] << 8) | b[49], 32);                     // loop length in words
    EXPECT_EQ((b[20 + 30 + 28] << 8) | b[20 + 30 + 29], 1);  // an empty slot: no loop
    EXPECT_EQ(b[950], 2);
    EXPECT_EQ(b[951], 127);
    EXPECT_EQ(b[952], 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[1080]), 4), "M.K.");
    // Cell: sample high bits and period, then sample low bits, effect and parameter.
    EXPECT_EQ(b[1084], 0x01);
    EXPECT_EQ(b[1085], 0xAC);
    EXPECT_EQ(b[1086], 0x1F);
    EXPECT_EQ(b[1087], 6);
    const std::size_t second = 1084 + 16 + 12;  // row 1, channel 3
    EXPECT_EQ(b[second], 0x10);
    EXPECT_EQ(b[second + 1], 113);
    EXPECT_EQ(b[second + 2], 0x10);
    EXPECT_EQ(b[1084 + 2048], 40);  // the sample data after the patterns
}

}  // namespace

// The golden frames rely on it: every picture comes back pixel for pixel, and a file cut short
// or with any bit changed is refused.
TEST(ContentWriters, PngReadsBackExactlyAndRefusesDamage) {
    struct Picture {
        int width;
        int height;
        std::function<std::uint32_t(int, int)> colour;
    };
    const Picture pictures[] = {
        {640, 480, [](int, int) { return 0x102030u; }},  // long matches
        {97, 61, [](int x, int y) { return static_cast<std::uint32_t>((x * 2) << 16 | (y * 4) << 8 | ((x + y) & 255)); }},
        {33, 17, [](int x, int y) { return (static_cast<std::uint32_t>(x * 7919 + y * 104729) * 2654435761u) >> 8; }},
        {1, 1, [](int, int) { return 0xFFFFFFu; }},
        {300, 1, [](int x, int) { return static_cast<std::uint32_t>(x % 3) * 0x7F7F7Fu; }},
    };
    for (const Picture& p : pictures) {
        std::vector<std::uint32_t> rgb;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) rgb.push_back(p.colour(x, y));
        const std::vector<std::uint8_t> file = gallery::encodePng(rgb, p.width, p.height);
        std::vector<std::uint32_t> back;
        int width = 0;
        int height = 0;
        ASSERT_TRUE(gallery::decodePng(file, back, width, height)) << p.width << " x " << p.height;
        EXPECT_EQ(back, rgb) << p.width << " x " << p.height;
        EXPECT_EQ(width, p.width);
        EXPECT_EQ(height, p.height);

        for (std::size_t at = 0; at < file.size(); at += 1 + at / 8) {
            std::vector<std::uint8_t> damaged = file;
            damaged[at] ^= static_cast<std::uint8_t>(1u << (at % 8));
            EXPECT_FALSE(gallery::decodePng(damaged, back, width, height)) << "bit changed in byte " << at;
            damaged.assign(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(at));
            EXPECT_FALSE(gallery::decodePng(damaged, back, width, height)) << "cut after " << at << " bytes";
        }
    }
}
