// Whole games played over pictures that are empty, huge, absurd, of the wrong size or missing
// with their folder: each shows the checker or is scaled, and the game plays as always.

#include "hardening/damaged_folder.h"

#include <gtest/gtest.h>

using namespace damaged;

namespace {

// Memory of the process in kB from /proc/self/status ("VmRSS", "VmHWM"); 0 when unknown.
long statusKb(const std::string& key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + ":", 0) == 0) return std::atol(line.c_str() + key.size() + 1);
    return 0;
}

// Starts counting the peak resident memory afresh; false where the system cannot.
bool resetPeakMemory() {
    std::ofstream out("/proc/self/clear_refs");
    out << "5";
    out.flush();
    return out.good();
}

// A BMP header (file header and 40-byte info header) and nothing else.
std::string headerOnly(std::int32_t width, std::int32_t height, std::uint16_t bits, std::uint32_t compression) {
    return testing_support::bmpHeaders(width, height, bits, 54, 54, compression);
}

// The old 12-byte core header with 16-bit sizes.
std::string coreHeaderOnly(std::uint16_t width, std::uint16_t height) {
    std::string s = "BM";
    testing_support::putLe32(s, 26);
    testing_support::putLe32(s, 0);
    testing_support::putLe32(s, 26);
    testing_support::putLe32(s, 12);
    testing_support::putLe16(s, width);
    testing_support::putLe16(s, height);
    testing_support::putLe16(s, 1);
    testing_support::putLe16(s, 24);
    return s;
}

}  // namespace

// Every picture of the game broken at once: empty, a file of gigabytes, headers that claim
// billions of pixels, a run-length picture of the largest size.
// The game starts within a second and never takes 100 MB more, each refused picture shows the
// checker, and the game can be played and left.
TEST(DamagedData, EmptyHugeAndAbsurdPicturesShowTheCheckerAndTheGameStartsAtOnce) {
    TestGame game;
    GameFolder folder(game.dir);
    folder.writePicture("title.bmp", "");
    // 3 GB, a sane header in front and nothing but a hole behind it.
    folder.writePicture("butony.bmp", testing_support::bmpHeaders(640, 480, 24, 54, 0xC0000036u));
    std::error_code ec;
    fs::resize_file(folder.picture("butony.bmp"), 3'000'000'054ull, ec);
    ASSERT_FALSE(ec) << ec.message();
    folder.writePicture("gracz1.bmp", headerOnly(INT32_MAX, INT32_MIN + 1, 32, 0));
    folder.writePicture("hiscore.bmp", coreHeaderOnly(65535, 65535));
    folder.writePicture("klocki1.bmp", headerOnly(1280, -960, 8, 1) + std::string("\0\1", 2));
    const std::string background = GameFolder::level(1).background;
    folder.writePicture(background.c_str(), headerOnly(100000, 100000, 24, 0) + std::string(1000, '\x7F'));

    const bool peakKnown = resetPeakMemory();
    const long rssBefore = statusKb("VmRSS");
    const auto started = std::chrono::steady_clock::now();
    bool firstPoll = true;
    Script script;
    visitAndLeave(script, [](Game& a) {
        EXPECT_TRUE(showsChecker(*a.display.buttonsSurface));
        EXPECT_TRUE(showsChecker(*a.display.playerSurface));
        EXPECT_TRUE(showsChecker(*a.display.backgroundSurface));
        EXPECT_TRUE(showsChecker(*a.display.blocksSurface));  // run-length coding is not read
    });
    const int code = game.run([&](Game& a, long poll) {
        if (firstPoll) {
            firstPoll = false;
            const auto startUp = std::chrono::steady_clock::now() - started;
            EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(startUp).count(), 1000);
            EXPECT_TRUE(showsChecker(*a.display.backgroundSurface));  // the title
        }
        script(a, poll);
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(script.finished()) << "stuck waiting for: " << script.waitingFor();
    if (peakKnown) {
        EXPECT_LT(statusKb("VmHWM") - rssBefore, 100 * 1024) << "kB more at the peak";
    }
    EXPECT_TRUE(showsChecker(*game.app->display.backgroundSurface));  // the high-score picture
}

// Pictures of the wrong size are scaled to the size of their place: a full-screen picture as
// the block sheet, the block sheet as the player's sheet, a picture of 3 x 2 as the title.
TEST(DamagedData, PicturesOfTheWrongSizeAreScaledToTheirPlace) {
    TestGame game;
    GameFolder folder(game.dir);
    folder.writePicture("klocki1.bmp", readBytes(kGameDir / "gfx" / "title.bmp"));
    folder.writePicture("gracz1.bmp", readBytes(kGameDir / "gfx" / "klocki2.bmp"));
    const testing_support::Rgb tiny[2][3] = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}},
                                             {{255, 255, 255}, {0, 0, 0}, {255, 255, 0}}};
    folder.writePicture("title.bmp", testing_support::makeBmp(3, 2, 24, [&](int x, int y) { return tiny[y][x]; }));
    std::vector<std::uint16_t> blocks;
    std::vector<std::uint16_t> player;
    ASSERT_TRUE(plat::decodePicture("gfx/klocki1.bmp", 128, 32, blocks));
    ASSERT_TRUE(plat::decodePicture("gfx/gracz1.bmp", 344, 264, player));

    Script script;
    script.then("title", [](Game& a) {
        const Surface& title = *a.display.backgroundSurface;
        EXPECT_EQ(title.at(0, 0), 0xF800);  // red, the top-left third of the upper half
        EXPECT_EQ(title.at(212, 239), 0xF800);
        EXPECT_EQ(title.at(320, 0), 0x07E0);    // green
        EXPECT_EQ(title.at(639, 479), 0xFFE0);  // yellow
        EXPECT_EQ(title.at(0, 479), 0xFFFF);    // white stays pure white
        EXPECT_EQ(title.at(320, 479), 0);       // black stays 0
    });
    visitAndLeave(script, [&](Game& a) {
        const Surface& b = *a.display.blocksSurface;
        EXPECT_TRUE(std::equal(blocks.begin(), blocks.end(), b.pixels()));
        const Surface& p = *a.display.playerSurface;
        EXPECT_TRUE(std::equal(player.begin(), player.end(), p.pixels()));
    });
    playThrough(game, script);
}

// Without the picture folder every screen shows checkers, and the game is played and left as
// always; each picture's load is traced.
TEST(DamagedData, WithoutThePictureFolderEveryScreenStillWorks) {
    TestGame game;
    GameFolder folder(game.dir, false);
    game.dir.write("hiscore.tbl", oldTable().bytes());
    Script script;
    visitAndLeave(script, [](Game& a) {
        EXPECT_TRUE(showsChecker(*a.display.buttonsSurface));
        EXPECT_TRUE(showsChecker(*a.display.playerSurface));
        EXPECT_TRUE(showsChecker(*a.display.blocksSurface));
        EXPECT_TRUE(showsChecker(*a.display.backgroundSurface));
        EXPECT_EQ(a.levelNumber, 1);
    });
    playThrough(game, script);
    const std::string trace = game.dir.read("debug.txt");
    for (const char* name : {"gfx\\butony.bmp", "gfx\\gracz1.bmp", "gfx\\title.bmp", "gfx\\klocki1.bmp", "gfx\\hiscore.bmp"})
        EXPECT_NE(trace.find(name), std::string::npos) << name;
    EXPECT_EQ(game.dir.read("hiscore.tbl"), oldTable().bytes());
}
