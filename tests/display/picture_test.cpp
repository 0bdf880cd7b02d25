// Pictures onto the surfaces: 8-, 24- and 32-bit files, rows stored either way up, files of
// another size, the trace of a load, and files that are missing, lie in their header or are
// cut short (a visible checker then, never garbage and never a failure).
#include "display/display_fixture.h"
#include "support/bmp_writer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <string>

namespace {

using display_test::count;
using display_test::DisplayTest;
using display_test::fill;
using testing_support::makeBmp;
using testing_support::Rgb;
using testing_support::writeFile;

std::uint16_t rgb565(Rgb c) { return static_cast<std::uint16_t>(((c.r >> 3) << 11) | ((c.g >> 2) << 5) | (c.b >> 3)); }

// A picture with black, white and a spread of colours; few enough (114) for an 8-bit palette.
Rgb pattern(int x, int y) {
    if (x < 8) return Rgb{0, 0, 0};
    if (x >= 120) return Rgb{255, 255, 255};
    return Rgb{static_cast<std::uint8_t>((x / 8) * 17), static_cast<std::uint8_t>((y / 4) * 32 + 3),
               static_cast<std::uint8_t>(255 - (x / 8) * 9)};
}

class Pictures : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        std::filesystem::create_directory("gfx");
    }
    // True when the block surface shows `pattern` exactly.
    ::testing::AssertionResult blocksShowPattern() {
        const Surface& s = *display->blocksSurface;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 128; ++x)
                if (s.at(x, y) != rgb565(pattern(x, y)))
                    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << s.at(x, y);
        return ::testing::AssertionSuccess();
    }
    bool showsChecker(const Surface& s, int width, int height) {
        return s.at(0, 0) == 0xF81F && s.at(8, 0) == 0 && s.at(0, 8) == 0 && s.at(8, 8) == 0xF81F &&
               count(s, FrameRect{0, 0, width, height}, 0xF81F) == width * height / 2;
    }
};

TEST_F(Pictures, LoadsEightTwentyFourAndThirtyTwoBitFiles) {
    for (int bits : {8, 24, 32}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bits << " bits" << (topDown ? ", top down" : ""));
            writeFile("gfx/klocki3.bmp", makeBmp(128, 32, bits, pattern, topDown));
            fill(*display->blocksSurface, 0x1234);
            EXPECT_TRUE(display->loadBlocksBitmap("gfx\\klocki3.bmp"));
            EXPECT_TRUE(blocksShowPattern());
            // The two keys come out exact.
            EXPECT_EQ(display->blocksSurface->at(0, 0), 0x0000);
            EXPECT_EQ(display->blocksSurface->at(127, 31), 0xFFFF);
        }
    }
    // The trace names the file exactly as it was asked for.
    const std::string trace = dir.read("debug.txt");
    EXPECT_NE(trace.find("wczytanie bitmapy...gfx\\klocki3.bmp\n przezucenie na powierzchnie..."), std::string::npos);
}

TEST_F(Pictures, FilesOfAnotherSizeAreScaledToTheSurface) {
    // Half the size: every pixel becomes two by two.
    writeFile("gfx/small.bmp", makeBmp(64, 16, 24, [](int x, int y) { return pattern(2 * x, 2 * y); }));
    EXPECT_TRUE(display->loadBlocksBitmap("gfx\\small.bmp"));
    const Surface& s = *display->blocksSurface;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 128; ++x) ASSERT_EQ(s.at(x, y), rgb565(pattern(x / 2 * 2, y / 2 * 2))) << x << ", " << y;

    // Twice the size: every other pixel is kept.
    writeFile("gfx/big.bmp", makeBmp(256, 64, 32, [](int x, int y) { return pattern(x / 2, y / 2); }));
    EXPECT_TRUE(display->loadBlocksBitmap("gfx\\big.bmp"));
    EXPECT_TRUE(blocksShowPattern());

    // A full-screen picture loaded from a smaller file fills all 640 x 480.
    writeFile("gfx/title.bmp", makeBmp(320, 240, 24, [](int x, int) { return x < 160 ? Rgb{255, 0, 0} : Rgb{0, 0, 255}; }));
    EXPECT_TRUE(display->loadTitleBitmap());
    EXPECT_EQ(count(*display->backgroundSurface, FrameRect{0, 0, 320, 480}, 0xF800), 320 * 480);
    EXPECT_EQ(count(*display->backgroundSurface, FrameRect{320, 0, 640, 480}, 0x001F), 320 * 480);
}

TEST_F(Pictures, NewPictureReplacesTheOldAndSpriteSheetsGoToTheirSurfaces) {
    writeFile("gfx/title.bmp", makeBmp(640, 480, 24, [](int, int) { return Rgb{255, 0, 0}; }));
    writeFile("gfx/hiscore.bmp", makeBmp(640, 480, 8, [](int, int) { return Rgb{0, 255, 0}; }));
    writeFile("gfx/butony.bmp", makeBmp(640, 480, 8, [](int x, int) { return x < 608 ? Rgb{} : Rgb{0, 0, 255}; }));
    writeFile("gfx/gracz1.bmp", makeBmp(344, 264, 24, [](int, int y) { return y < 10 ? Rgb{255, 255, 255} : Rgb{8, 4, 8}; }));
    EXPECT_TRUE(display->loadSpriteBitmaps());
    EXPECT_TRUE(display->loadTitleBitmap());
    display->drawBackground();
    EXPECT_EQ(back().at(10, 10), 0xF800);
    EXPECT_TRUE(display->loadHighScoreBitmap());
    display->drawBackground();
    EXPECT_EQ(count(back(), FrameRect{0, 0, 640, 480}, 0x07E0), 640 * 480);
    EXPECT_EQ(display->buttonsSurface->at(0, 0), 0x0000);
    EXPECT_EQ(display->buttonsSurface->at(610, 5), 0x001F);
    EXPECT_EQ(display->playerSurface->at(343, 9), 0xFFFF);
    EXPECT_EQ(display->playerSurface->at(0, 10), 0x0821);
    const std::string trace = dir.read("debug.txt");
    const std::string sheets =
        "wczytanie bitmapy...gfx\\butony.bmp\n przezucenie na powierzchnie..."
        "wczytanie bitmapy...gfx\\gracz1.bmp\n przezucenie na powierzchnie..."
        "wczytanie bitmapy...gfx\\title.bmp\n przezucenie na powierzchnie..."
        "wczytanie bitmapy...gfx\\hiscore.bmp\n przezucenie na powierzchnie...";
    EXPECT_NE(trace.find(sheets), std::string::npos) << trace;
}

TEST_F(Pictures, MissingRefusedAndDamagedFilesLeaveACheckerAndSucceed) {
    auto header = [](std::int32_t w, std::int32_t h, std::uint16_t bits, std::uint32_t offset = 54) {
        return testing_support::bmpHeaders(w, h, bits, offset, 82) + std::string(28, '\x7F');
    };
    // Run-length coded pixels that end at once: a picture of one colour.
    auto runs = [](std::int32_t w, std::int32_t h, std::uint16_t bits, std::uint32_t compression) {
        return testing_support::bmpHeaders(w, h, bits, 54, 56, compression) + std::string("\0\1", 2);
    };
    const std::string good = makeBmp(128, 32, 24, pattern);
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"a tiny file claiming 100000 x 100000", header(100000, 100000, 24)},
        {"1281 wide", header(1281, 1, 24)},
        {"961 high, top down", header(1, -961, 24)},
        {"run-length coded, 1281 wide", runs(1281, 1, 8, 1)},
        {"run-length coded, 961 high", runs(1, 961, 4, 2)},
        {"run-length coded at 32 bits", runs(16, 16, 32, 1)},
        {"plain rows at 2 bits", header(1, 1, 2)},
        {"zero wide", header(0, 32, 24)},
        {"zero high", header(128, 0, 24)},
        {"negative width", header(-128, 32, 24)},
        {"height beyond the sign", header(128, INT32_MIN, 24)},
        {"no bits per pixel", header(128, 32, 0)},
        {"pixels beyond the end", header(128, 32, 24)},
        {"pixel offset beyond the end", header(1, 1, 24, 4000)},
        {"cut one byte short", good.substr(0, good.size() - 1)},
        {"not a BMP", std::string(200, 'x')},
        {"an empty file", std::string()},
        {"only the file header", good.substr(0, 14)},
        {"unknown compression", testing_support::bmpHeaders(4, 4, 24, 54, 200, 9) + std::string(146, '\0')},
    };
    const std::string before = dir.read("debug.txt");
    int loads = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile("gfx/klocki1.bmp", c.bytes);
        fill(*display->blocksSurface, 0x1234);
        EXPECT_TRUE(display->loadBlocksBitmap("gfx\\klocki1.bmp"));
        EXPECT_TRUE(showsChecker(*display->blocksSurface, 128, 32));
        ++loads;
    }
    // A missing file and a folder in its place: the same.
    std::filesystem::remove("gfx/klocki1.bmp");
    fill(*display->blocksSurface, 0x1234);
    EXPECT_TRUE(display->loadBlocksBitmap("gfx\\klocki1.bmp"));
    EXPECT_TRUE(showsChecker(*display->blocksSurface, 128, 32));
    std::filesystem::create_directory("gfx/klocki1.bmp");
    fill(*display->blocksSurface, 0x1234);
    EXPECT_TRUE(display->loadBlocksBitmap("gfx\\klocki1.bmp"));
    EXPECT_TRUE(showsChecker(*display->blocksSurface, 128, 32));
    loads += 2;
    // Not reported: the trace shows the same lines as for a good file.
    std::string expected = before;
    for (int i = 0; i < loads; ++i) expected += "wczytanie bitmapy...gfx\\klocki1.bmp\n przezucenie na powierzchnie...";
    EXPECT_EQ(dir.read("debug.txt"), expected);

    // The good file still loads after all that.
    writeFile("gfx/klocki1.bmp.ok", good);
    EXPECT_TRUE(display->loadBlocksBitmap("gfx\\klocki1.bmp.ok"));
    EXPECT_TRUE(blocksShowPattern());
}

TEST(PicturesWithoutDisplay, LoadOntoAMissingSurfaceFails) {
    testing_support::TempDir dir;
    plat::headless::reset();
    Display display{ErrorReporter(kTraceFile)};  // never started: no surfaces
    EXPECT_FALSE(display.loadTitleBitmap());
    const std::string trace = dir.read("debug.txt");
    EXPECT_EQ(trace.substr(trace.size() - 33), "wczytanie bitmapy...gfx\\title.bmp");
}

}  // namespace
