// Level files written by the tests, read into the world: the layout and offsets, the caption
// and pictures, the trace, files cut short or missing, and damaged files made safe (too many
// or negative tokens, unknown grid cells, a background name without its terminator, a name
// count that runs past the end).
#include "platform/cp1250.h"
#include "platform/headless.h"
#include "screens/game.h"
#include "support/bmp_writer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

using testing_support::makeBmp;
using testing_support::putLe32;
using testing_support::Rgb;
using testing_support::writeFile;

std::intptr_t plainWindowProc(void*, std::uint32_t id, std::uintptr_t value, std::intptr_t where) {
    return plat::defaultWindowProc(id, value, where);
}

struct TokenRecord {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t type = 0;
};

// A level file laid out field after field.
struct LevelFile {
    std::int32_t names = 0;
    std::int32_t tokenCount = 0;
    std::int32_t header[5] = {};         // board number, its x and y, player x and y
    std::string background = "tlo.bmp";  // padded with zeros to 12 bytes
    std::int32_t grid[14][20];
    std::vector<TokenRecord> tokens;
    char filler = 0;  // bytes 12..191 of each token record

    LevelFile() {
        for (auto& row : grid)
            for (auto& cell : row) cell = -1;
    }
    std::string bytes() const {
        std::string s;
        putLe32(s, static_cast<std::uint32_t>(names));
        putLe32(s, static_cast<std::uint32_t>(tokenCount));
        for (std::int32_t v : header) putLe32(s, static_cast<std::uint32_t>(v));
        for (int i = 0; i < names; ++i) s += "klocki1.bmp" + std::string(1, '\0');
        std::string bg = background;
        bg.resize(12, '\0');
        s += bg;
        for (const auto& row : grid)
            for (std::int32_t cell : row) putLe32(s, static_cast<std::uint32_t>(cell));
        for (const TokenRecord& b : tokens) {
            putLe32(s, static_cast<std::uint32_t>(b.x));
            putLe32(s, static_cast<std::uint32_t>(b.y));
            putLe32(s, static_cast<std::uint32_t>(b.type));
            s += std::string(180, filler);
        }
        return s;
    }
};

std::size_t occurrences(const std::string& text, const std::string& piece) {
    std::size_t n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++n;
    return n;
}

// The pieces appear in this order (with anything between them).
::testing::AssertionResult inOrder(const std::string& text, std::initializer_list<std::string> pieces) {
    std::size_t at = 0;
    for (const std::string& p : pieces) {
        const std::size_t found = text.find(p, at);
        if (found == std::string::npos)
            return ::testing::AssertionFailure() << "missing (in order) \"" << p << "\" in\n" << text.substr(at);
        at = found + p.size();
    }
    return ::testing::AssertionSuccess();
}

class LevelLoader : public ::testing::Test {
protected:
    void SetUp() override {
        plat::headless::reset();
        plat::headless::setTimeStep(1);
        app = std::make_unique<Game>(ErrorReporter(kTraceFile));
        ASSERT_TRUE(plat::createWindow("Kalkulon", &plainWindowProc, nullptr, 640, 480));
        app->window.exists = true;
        ASSERT_EQ(app->display.init(640, 480, 16), ErrorCode::Ok);
        app->display.applyPixelFormat(app->display.pixelFormat);
        app->world = std::make_unique<GameWorld>(app->error);
        world = app->world.get();
        std::filesystem::create_directories("level");
        std::filesystem::create_directories("gfx");
        writeFile("gfx/klocki3.bmp", makeBmp(128, 32, 24, [](int, int) { return Rgb{0, 255, 0}; }));
        writeFile("gfx/tlo.bmp", makeBmp(640, 480, 24, [](int, int) { return Rgb{0, 0, 255}; }));
        // A previous level's state that the load must replace.
        world->tokenCount = 5;
        for (int i = 0; i < 5; ++i) world->initToken(i, 10 * i, 10, 1);
        for (auto& row : world->blocks)
            for (auto& cell : row) cell = 1;
        traceBefore = dir.read("debug.txt");
    }
    void TearDown() override {
        app.reset();
        plat::headless::reset();
    }
    void load(std::int32_t level) {
        app->loadLevel(level);
        trace = dir.read("debug.txt").substr(traceBefore.size());
    }
    // White pixels where "Błąd!" is written.
    int errorTextPixels() {
        int n = 0;
        const Surface& s = *app->display.backBuffer;
        for (int y = 225; y < 250; ++y)
            for (int x = 315; x < 370; ++x) n += s.at(x, y) == 0xFFFF ? 1 : 0;
        return n;
    }
    bool windowClosed() const { return !plat::windowExists(); }
    int activeTokens() const {
        int n = 0;
        for (const Token& b : world->tokens) n += b.active ? 1 : 0;
        return n;
    }

    testing_support::TempDir dir;
    std::unique_ptr<Game> app;
    GameWorld* world = nullptr;  // the game's own
    std::string traceBefore;
    std::string trace;
};

TEST_F(LevelLoader, ReadsTheFileAtItsOffsets) {
    // Written byte by byte at the offsets of a file with n = 2.
    std::string s(1184 + 2 * 192, '\0');
    auto put = [&](std::size_t at, std::int32_t v) {
        std::string le;
        putLe32(le, static_cast<std::uint32_t>(v));
        s.replace(at, 4, le);
    };
    put(0, 2);
    put(4, 2);
    put(8, 24);
    put(12, 300);
    put(16, 40);
    put(20, 64);
    put(24, 320);
    s.replace(28, 24, std::string(24, 'k'));  // two unused names, no terminators
    s.replace(52, 7, "tlo.bmp");
    for (int cell = 0; cell < 280; ++cell) put(64 + 4 * cell, -1);
    put(64 + 4 * (13 * 20 + 0), 2);  // row 13, column 0
    put(64 + 4 * (5 * 20 + 19), 0);  // row 5, column 19
    put(64 + 4 * (0 * 20 + 7), 3);
    put(1184, 100);
    put(1188, 200);
    put(1192, kTokenEquals);
    for (std::size_t i = 1196; i < 1184 + 192; ++i) s[i] = '\x5A';  // anything: not read
    put(1376, 132);
    put(1380, 96);
    put(1384, 7);
    s += "trailing bytes are ignored";
    writeFile("level/level3.lvl", s);

    load(3);
    EXPECT_EQ(world->target, 24);
    EXPECT_EQ(world->targetX, 300);
    EXPECT_EQ(world->targetY, 40);
    EXPECT_EQ(world->playerX, 64);
    EXPECT_EQ(world->playerY, 320);
    EXPECT_EQ(world->tokenCount, 2);
    EXPECT_EQ(world->blocks[13][0], 2);
    EXPECT_EQ(world->blocks[5][19], 0);
    EXPECT_EQ(world->blocks[0][7], 3);
    EXPECT_EQ(world->blocks[0][0], -1);
    ASSERT_EQ(activeTokens(), 2);
    EXPECT_EQ(world->tokens[0].x, 100);
    EXPECT_EQ(world->tokens[0].y, 200);
    EXPECT_EQ(world->tokens[0].type, kTokenEquals);
    EXPECT_EQ(world->tokens[0].frames[0], (FrameRect{306, 423, 340, 456}));
    EXPECT_EQ(world->tokens[0].animFrame, 0);
    EXPECT_EQ(world->tokens[1].type, 7);
    EXPECT_EQ(world->tokens[1].x, 132);
    EXPECT_EQ(world->tokens[2].type, 0);  // the old level's tokens are gone
    EXPECT_FALSE(windowClosed());
    EXPECT_EQ(errorTextPixels(), 0);

    // The level's pictures are on their surfaces.
    EXPECT_EQ(app->display.blocksSurface->at(5, 5), 0x07E0);
    EXPECT_EQ(app->display.backgroundSurface->at(600, 400), 0x001F);

    EXPECT_TRUE(inOrder(
        trace,
        {"Wczytanie levela \nlevel\\level3.lvl", "ok \n", "liczba klockow... 2", plat::cp1250("\n liczba bonusów...").c_str(),
         "2", plat::cp1250("\n Nazwy plików z klockami...").c_str(), "\n Wczytanie nazyw tla...tlo.bmp",
         plat::cp1250("\n Wczytanie tablicy klocków...ok \n").c_str(), plat::cp1250("Odczyt bonusów...").c_str(),
         "Bonus nr 0\nx :100\ny: 200\ntyp :14\nInit bonus \n", "\n init bonus...", plat::cp1250("następny \n").c_str(),
         "Bonus nr 1\nx :132\ny: 96\ntyp :7\nInit bonus \n", plat::cp1250("następny \n").c_str(), "Close file \n",
         "wrzucenie na powierzchnie \n", "wczytanie bitmapy...gfx\\klocki3.bmp\n przezucenie na powierzchnie...",
         "wczytanie bitmapy...gfx\\tlo.bmp\n przezucenie na powierzchnie..."}));
    EXPECT_EQ(occurrences(trace, plat::cp1250("błąd").c_str()), 0u);
}

TEST_F(LevelLoader, ShowsTheCaptionOnTheVisiblePictureWhileLoading) {
    LevelFile f;
    writeFile("level/level3.lvl", f.bytes());
    plat::headless::keepFrames(true);
    load(3);
    // The caption is shown at once (not by a flip), in light blue.
    ASSERT_GE(plat::headless::frames().size(), 1u);
    const auto& frame = plat::headless::frames()[0];
    EXPECT_FALSE(frame.flip);
    const std::uint16_t blue = ((150 >> 3) << 11) | ((200 >> 2) << 5) | (255 >> 3);
    int bluePixels = 0;
    for (int y = 225; y < 250; ++y)
        for (int x = 275; x < 360; ++x) bluePixels += frame.pixels[static_cast<std::size_t>(y * 640 + x)] == blue;
    EXPECT_GT(bluePixels, 30);
    EXPECT_EQ(plat::headless::flipCount(), 0u);
}

TEST_F(LevelLoader, NoTokensLoadsNone) {
    LevelFile f;
    f.grid[2][2] = 1;
    writeFile("level/level3.lvl", f.bytes());
    load(3);
    EXPECT_EQ(world->tokenCount, 0);
    EXPECT_EQ(activeTokens(), 0);
    EXPECT_EQ(world->blocks[2][2], 1);
    EXPECT_EQ(world->blocks[2][3], -1);
    EXPECT_EQ(occurrences(trace, "Bonus nr"), 0u);
    EXPECT_TRUE(inOrder(trace, {plat::cp1250("Odczyt bonusów...").c_str(), "Close file \n"}));
    EXPECT_FALSE(windowClosed());
}

TEST_F(LevelLoader, FileCutShortShowsAndTracesEachMissingItemAndCloses) {
    LevelFile f;
    f.tokenCount = 3;
    f.header[0] = 12;
    f.tokens = {{100, 100, 1}};
    writeFile("level/level3.lvl", f.bytes());
    load(3);
    EXPECT_EQ(occurrences(trace, plat::cp1250("błąd \n").c_str()), 2u);  // two records missing
    EXPECT_TRUE(windowClosed());
    EXPECT_GT(errorTextPixels(), 10);
    EXPECT_EQ(world->tokenCount, 3);
    EXPECT_TRUE(world->tokens[0].active);
    EXPECT_FALSE(world->tokens[1].active);  // a missing record makes no token
    EXPECT_FALSE(world->tokens[2].active);
    EXPECT_EQ(world->target, 12);
    // Reading and loading go on to the end.
    EXPECT_TRUE(inOrder(trace, {"Close file \n", "wrzucenie na powierzchnie \n", "gfx\\klocki3.bmp", "gfx\\tlo.bmp"}));
}

TEST_F(LevelLoader, TinyAndEmptyFilesMissEveryHeaderField) {
    // Six bytes: n whole, the token count half there, the other five fields missing.
    std::string six;
    putLe32(six, 0);
    six += std::string("\x03\x00", 2);
    writeFile("level/level3.lvl", six);
    load(3);
    EXPECT_EQ(occurrences(trace, plat::cp1250("błąd \n").c_str()), 6u);
    EXPECT_TRUE(windowClosed());
    EXPECT_EQ(world->tokenCount, 0);
    EXPECT_EQ(activeTokens(), 0);
    EXPECT_EQ(world->blocks[0][0], -1);  // a grid the file lacks is empty, not the old level's
    EXPECT_EQ(world->blocks[13][19], -1);

    writeFile("level/level4.lvl", "");
    traceBefore = dir.read("debug.txt");
    load(4);
    EXPECT_EQ(occurrences(trace, plat::cp1250("błąd \n").c_str()), 7u);
    EXPECT_TRUE(inOrder(trace, {"wczytanie bitmapy...gfx\\klocki4.bmp", "wczytanie bitmapy...gfx\\"}));
}

TEST_F(LevelLoader, MissingFileShowsTracesClosesAndStillLoadsTheBlocks) {
    app->display.loadBackgroundBitmap("gfx\\tlo.bmp");
    traceBefore = dir.read("debug.txt");
    load(3);
    EXPECT_TRUE(windowClosed());
    EXPECT_GT(errorTextPixels(), 10);
    EXPECT_TRUE(inOrder(trace, {"Wczytanie levela \nlevel\\level3.lvl\n nie znaleziono!", "wrzucenie na powierzchnie \n",
                                "wczytanie bitmapy...gfx\\klocki3.bmp"}));
    EXPECT_EQ(trace.find("ok \n"), std::string::npos);
    // No name was read, so no background is loaded: the surface keeps its picture.
    EXPECT_EQ(occurrences(trace, "wczytanie bitmapy"), 1u);
    EXPECT_EQ(app->display.backgroundSurface->at(10, 10), 0x001F);
    EXPECT_EQ(app->display.blocksSurface->at(10, 10), 0x07E0);
    EXPECT_EQ(activeTokens(), 0);
}

TEST_F(LevelLoader, DamagedValuesAreMadeSafe) {
    // Too many tokens: 30 are read, and the trace says so.
    LevelFile many;
    many.tokenCount = 45;
    for (int i = 0; i < 45; ++i) many.tokens.push_back({20 * (i % 30), 100, 1 + i % 14});
    many.grid[0][0] = 7;
    many.grid[0][1] = -5;
    many.grid[0][2] = 4;
    many.grid[0][3] = 3;
    many.grid[0][4] = INT32_MIN;
    many.grid[0][5] = 0;
    many.background = "abcdefghijkl";  // 12 bytes, no terminator inside the field
    writeFile("level/level3.lvl", many.bytes());
    writeFile("gfx/abcdefghijkl", makeBmp(640, 480, 24, [](int, int) { return Rgb{255, 0, 0}; }));
    load(3);
    EXPECT_EQ(world->tokenCount, 30);
    EXPECT_EQ(activeTokens(), 30);
    EXPECT_NE(trace.find(plat::cp1250("\n liczba bonusów...45\n za dużo bonusów, wczytuję 30").c_str()), std::string::npos);
    EXPECT_EQ(world->blocks[0][0], -1);
    EXPECT_EQ(world->blocks[0][1], -1);
    EXPECT_EQ(world->blocks[0][2], -1);
    EXPECT_EQ(world->blocks[0][3], 3);
    EXPECT_EQ(world->blocks[0][4], -1);
    EXPECT_EQ(world->blocks[0][5], 0);
    EXPECT_NE(trace.find("\n Wczytanie nazyw tla...abcdefghijkl\n Wczytanie"), std::string::npos);
    EXPECT_NE(trace.find("wczytanie bitmapy...gfx\\abcdefghijkl\n"), std::string::npos);
    EXPECT_EQ(app->display.backgroundSurface->at(10, 10), 0xF800);
    EXPECT_FALSE(windowClosed());

    // A negative count loads no token.
    LevelFile negative;
    negative.tokenCount = -3;
    negative.tokens = {{1, 2, 3}};
    writeFile("level/level5.lvl", negative.bytes());
    traceBefore = dir.read("debug.txt");
    load(5);
    EXPECT_EQ(world->tokenCount, 0);
    EXPECT_EQ(activeTokens(), 0);
    EXPECT_NE(trace.find(plat::cp1250("-3\n ujemna liczba bonusów, wczytuję 0").c_str()), std::string::npos);
    EXPECT_FALSE(windowClosed());
}

TEST_F(LevelLoader, NameCountsOutOfRangeNeverReadPastTheFile) {
    // A huge name count: the names run into the end of the file, which stops the dropping.
    std::string bytes = LevelFile().bytes();
    bytes.replace(0, 4, std::string("\xFF\xFF\xFF\x7F", 4));  // n = 0x7FFFFFFF
    writeFile("level/level3.lvl", bytes);
    load(3);
    EXPECT_EQ(world->tokenCount, 0);
    EXPECT_EQ(world->blocks[0][0], -1);
    EXPECT_NE(trace.find("\n Wczytanie nazyw tla...\n"), std::string::npos);  // nothing left to read
    EXPECT_FALSE(windowClosed());                                             // names and grid are not checked items

    // A negative name count reads no names: the background name follows the header.
    LevelFile negative;
    negative.names = -4;
    negative.background = "tlo.bmp";
    negative.grid[1][1] = 2;
    writeFile("level/level6.lvl", negative.bytes());
    traceBefore = dir.read("debug.txt");
    load(6);
    EXPECT_NE(trace.find("\n Wczytanie nazyw tla...tlo.bmp"), std::string::npos);
    EXPECT_EQ(world->blocks[1][1], 2);
}

}  // namespace
