// Whole games played over damaged copies of the generated game folder: level files cut short
// or lying about their counts, cells and names; pictures empty, huge, absurd or of the wrong
// size; no picture folder at all; high-score tables of every length, unreadable or read-only;
// a trace that cannot be written; FIFOs, devices, links and endless files in the place of any
// file the game reads or writes. In every case the game behaves as its failure handling
// says, runs to its normal end, and the high-score table on disk is the old one or the new
// one, whole.
#include "lessons/level_binary.h"
#include "support/bmp_writer.h"
#include "support/test_game.h"
#include "support/test_levels.h"

#include "platform/cp1250.h"

#include <functional>
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace replay;
using namespace testing_support;
using testing_support::TempDir;
using testing_support::TestGame;

const fs::path kGameDir = KALKULON_GAME_DIR;

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::int32_t le32At(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int b = 3; b >= 0; --b) v = v << 8 | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(b)]);
    return static_cast<std::int32_t>(v);
}

std::size_t count(const std::string& haystack, std::string_view needle) {
    std::size_t n = 0;
    for (auto at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++n;
    return n;
}

constexpr auto kShortRead = plat::cp1250("błąd \n");
constexpr auto kSaveFailed = plat::cp1250("zapis tabeli wyników nieudany");

// ---- the game folder ---------------------------------------------------------------------------

// A copy of the generated game folder in the test's own folder: the level files copied, the
// pictures and the song linked (they are only read), each ready to be damaged.
class GameFolder {
public:
    explicit GameFolder(const TempDir& dir, bool withPictures = true) : dir_(dir) {
        if (!fs::exists(kGameDir / "level" / "level1.lvl")) {
            ADD_FAILURE() << "no generated game data in " << kGameDir << " (build the game_data target)";
            return;
        }
        fs::create_directories(dir.path() / "level");
        for (int n = 1; n <= 7; ++n) fs::copy_file(source(n), dir.path() / "level" / levelName(n));
        fs::create_directories(dir.path() / "music");
        fs::create_symlink(kGameDir / "music" / "3dparadise.mod", dir.path() / "music" / "3dparadise.mod");
        if (!withPictures) return;
        fs::create_directories(dir.path() / "gfx");
        for (const auto& entry : fs::directory_iterator(kGameDir / "gfx"))
            fs::create_symlink(entry.path(), dir.path() / "gfx" / entry.path().filename());
    }

    static std::string levelName(int n) { return "level" + std::to_string(n) + ".lvl"; }
    static fs::path source(int n) { return kGameDir / "level" / levelName(n); }
    // A generated level as the level library reads it.
    static lvl::Level level(int n) {
        lvl::Level level;
        std::string error;
        EXPECT_TRUE(lvl::readLevelFile(source(n).string(), level, error)) << error;
        return level;
    }

    // The first `size` bytes (all of them, by default) of a level file in place of level n.
    void writeLevel(int n, const std::vector<std::uint8_t>& bytes, std::size_t size = SIZE_MAX) const {
        dir_.write("level/" + levelName(n),
                   std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(size, bytes.size()))));
    }
    void writeLevel(int n, const lvl::Level& level) const { writeLevel(n, lvl::encodeLevel(level)); }
    // Replaces a picture (the link goes, a file of its own takes its place).
    void writePicture(const std::string& name, const std::string& bytes) const {
        fs::remove(dir_.path() / "gfx" / name);
        dir_.write("gfx/" + name, bytes);
    }
    fs::path picture(const std::string& name) const { return dir_.path() / "gfx" / name; }

private:
    const TempDir& dir_;
};

// ---- the high-score table --------------------------------------------------------------------

struct Table {
    std::int32_t scores[kHighScoreRows] = {};
    char names[kHighScoreRows][kNameLength] = {};

    // The first bytes of a file of this layout; what the file lacks stays zero.
    static Table fromFile(const std::string& bytes) {
        Table t;
        std::string whole = bytes.substr(0, 120);
        whole.resize(120, '\0');
        for (int i = 0; i < kHighScoreRows; ++i) t.scores[i] = le32At(whole, 4 * static_cast<std::size_t>(i));
        std::memcpy(t.names, whole.data() + 40, sizeof t.names);
        return t;
    }
    static Table of(const GameWorld& w) {
        Table t;
        std::memcpy(t.scores, w.hiScores, sizeof t.scores);
        std::memcpy(t.names, w.hiNames, sizeof t.names);
        return t;
    }
    std::string bytes() const {
        std::string out;
        for (std::int32_t s : scores) putLe32(out, s);
        out.append(&names[0][0], sizeof names);
        return out;
    }
    // The table after `score` entered it with `name` (ties go below).
    Table with(std::int32_t score, const std::string& name) const {
        Table t = *this;
        int row = 0;
        while (row < kHighScoreRows && !(score > scores[row])) ++row;
        if (row == kHighScoreRows) return t;
        for (int k = kHighScoreRows - 1; k > row; --k) {
            t.scores[k] = t.scores[k - 1];
            std::memcpy(t.names[k], t.names[k - 1], kNameLength);
        }
        t.scores[row] = score;
        std::memset(t.names[row], 0, kNameLength);
        std::memcpy(t.names[row], name.data(), std::min<std::size_t>(name.size(), kNameLength));
        return t;
    }
    friend bool operator==(const Table& a, const Table& b) { return a.bytes() == b.bytes(); }
};

// Files beside the table named after it ("hiscore.tbl.*") but its lock: what a save may have
// left behind.
std::vector<std::string> newTableFiles(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        if (entry.path().filename().string().starts_with("hiscore.tbl.") && entry.path().extension() != ".lock")
            names.push_back(entry.path().filename());
    return names;
}

// A table that a game of 25 points enters at row 8; one name of 8 letters has no terminator.
Table oldTable() {
    Table t;
    const std::int32_t scores[kHighScoreRows] = {900, 700, 500, 300, 100, 80, 60, 40, 20, 10};
    const char* names[kHighScoreRows] = {"ALA", "KUBACKIE", "ZOSIA", "OLEK", "A B", "", "EWA", "IGA", "JAN", "TOMEK"};
    for (int i = 0; i < kHighScoreRows; ++i) {
        t.scores[i] = scores[i];
        std::memcpy(t.names[i], names[i], std::strlen(names[i]));
    }
    return t;
}

// ---- scripts -----------------------------------------------------------------------------------

// A level on screen, played or finished (should the walk have taken a whole sum).
bool inLevel(Game& a) { return a.screenShown() == Screen::Play || a.screenShown() == Screen::Result; }

// A level played a little (walking right, then jumping), paused and left; then the high-score
// screen looked at, and the game left by its exit button.
void visitAndLeave(Script& script, std::function<void(Game&)> whilePlaying = nullptr) {
    auto frames = std::make_shared<int>(0);
    script.startGame();
    script.then("walk", showing(Screen::Play), [](Game&) { hl::setKey(kScanRight, true); });
    script.then(
        "jump", [frames](Game& a) { return inLevel(a) && ++*frames == 200; },
        [](Game&) {
            hl::setKey(kScanRight, false);
            hl::setKey(kScanUp, true);
        });
    script.then(
        "pause", [frames](Game& a) { return inLevel(a) && ++*frames == 400; },
        [whilePlaying](Game& a) {
            hl::setKey(kScanUp, false);
            if (whilePlaying) whilePlaying(a);
            hl::postEscape();
        });
    script.click("Wyjście", kQuitEntry, kHoverQuit, showing(Screen::Pause));
    script.click("high scores", kHighScoreButton, kHoverHighScores, showing(Screen::Title));
    script.then("back to the title", showing(Screen::HighScores), [](Game&) { hl::postEscape(); });
    script.click("exit", kExitButton, kHoverExit, showing(Screen::Title));
}

// A game over quick levels of 3 + 4 that need 8: 25 points, which enter the old table at row
// 8; the name "OLA" typed and confirmed. `atNameEntry` sees the game when the high-score
// screen has opened, before anything is typed.
void scoreAndSave(Script& script, std::function<void(Game&)> atNameEntry = nullptr) {
    script.loseGame();
    script.then("name entry", [atNameEntry](Game& a) {
        if (atNameEntry) atNameEntry(a);
    });
    script.keys("O", {scanOf('O')}).keys("L", {scanOf('L')}).keys("A", {scanOf('A')});
    script.keys("Enter", {kScanEnter});
    const auto saved = [](Game& a) { return a.world->entryRow == -1; };
    script.then("saved", saved, [](Game&) { hl::postEscape(); });
    script.click("exit", kExitButton, kHoverExit, showing(Screen::Title));
}

// Runs a script to the game's end: it must end by itself with exit code 0.
void playThrough(TestGame& game, Script& script) { EXPECT_EQ(play(game, script), 0); }

}  // namespace

// Each generated level, put in place of level 1, cut at the start of every checked field
// (the seven header numbers and each token record), inside a field, and inside the grid,
// which is read unchecked: the game shows "Błąd!", traces one "błąd" line for every checked
// item the file lacks, closes its window and ends normally; the table is untouched.
TEST(DamagedData, LevelFilesCutAtEveryCheckedFieldEndTheGameCleanly) {
    for (int n = 1; n <= 7; ++n) {
        const lvl::Level level = GameFolder::level(n);
        const std::vector<std::uint8_t> whole = lvl::encodeLevel(level);
        const std::int32_t names = level.nameCount;
        const auto tokens = static_cast<std::int32_t>(level.tokens.size());
        ASSERT_GT(tokens, 0) << "level " << n;
        ASSERT_EQ(whole.size(), lvl::tokenAt(names, level.tokens.size()));

        // At the start of each header number and inside the last, inside the grid, at the start
        // of each token record and one byte short of the end.
        std::vector<std::size_t> cuts = {2, lvl::headerAt(lvl::kPlayerY) + 2, lvl::cellAt(names, 7, 10), whole.size() - 1};
        for (std::size_t field = lvl::kNameCount; field <= lvl::kPlayerY; ++field)
            cuts.push_back(lvl::headerAt(static_cast<lvl::HeaderField>(field)));
        for (std::int32_t b = 0; b < tokens; ++b) cuts.push_back(lvl::tokenAt(names, static_cast<std::size_t>(b)));

        for (std::size_t cut : cuts) {
            SCOPED_TRACE("level " + std::to_string(n) + " cut at " + std::to_string(cut));
            // What the loader can no longer read: the header numbers from the cut on, and the
            // token records it then expects.
            std::size_t missing = 0;
            for (std::size_t field = lvl::kNameCount; field <= lvl::kPlayerY; ++field)
                missing += cut < lvl::headerAt(static_cast<lvl::HeaderField>(field)) + 4 ? 1 : 0;
            const std::int32_t namesRead = cut >= lvl::headerAt(lvl::kTokenCount) ? names : 0;
            const std::int32_t tokensRead = cut >= lvl::headerAt(lvl::kTarget) ? tokens : 0;
            for (std::int32_t b = 0; b < tokensRead; ++b)
                missing += cut < lvl::tokenAt(namesRead, static_cast<std::size_t>(b + 1)) ? 1 : 0;

            TestGame game;
            GameFolder folder(game.dir);
            folder.writeLevel(1, whole, cut);
            game.dir.write("hiscore.tbl", oldTable().bytes());
            Script script;
            script.click("new game", kNewGameButton, kHoverNewGame, showing(Screen::Title));
            playThrough(game, script);

            const std::string trace = game.dir.read("debug.txt");
            EXPECT_EQ(count(trace, kShortRead.view()), missing);
            EXPECT_FALSE(plat::windowExists());
            EXPECT_EQ(game.dir.read("hiscore.tbl"), oldTable().bytes());
        }
    }
}

// A count of 31 tokens, with 31 records in the file, loads the first 30 and the level plays;
// a count of 2^31 - 1 over the level's own records loads those and then lacks the rest of the
// 30, which is a short file: "Błąd!" and the end of the game.
TEST(DamagedData, TokenCountsBeyondThirtyAreCutToThirty) {
    const lvl::Level level = GameFolder::level(1);
    const auto own = static_cast<std::int32_t>(level.tokens.size());
    ASSERT_GT(own, 0);
    {
        TestGame game;
        GameFolder folder(game.dir);
        lvl::Level damaged = level;
        damaged.tokens.clear();
        for (int b = 0; b < 31; ++b) damaged.tokens.push_back(level.tokens[static_cast<std::size_t>(b % own)]);
        folder.writeLevel(1, damaged);
        game.dir.write("hiscore.tbl", oldTable().bytes());
        Script script;
        visitAndLeave(script, [](Game& a) {
            EXPECT_EQ(a.world->tokenCount, kMaxTokens);
            EXPECT_EQ(a.world->tokens[kMaxTokens - 1].type, a.world->tokens[(kMaxTokens - 1) % 4].type);
        });
        playThrough(game, script);
        const std::string trace = game.dir.read("debug.txt");
        EXPECT_NE(trace.find(plat::cp1250("za dużo bonusów").view()), std::string::npos);
        EXPECT_EQ(count(trace, kShortRead.view()), 0u);
        EXPECT_EQ(game.dir.read("hiscore.tbl"), oldTable().bytes());
    }
    {
        TestGame game;
        GameFolder folder(game.dir);
        std::vector<std::uint8_t> damaged = lvl::encodeLevel(level);
        lvl::putNumberAt(damaged, lvl::headerAt(lvl::kTokenCount), INT32_MAX);
        folder.writeLevel(1, damaged);
        Script script;
        script.click("new game", kNewGameButton, kHoverNewGame, showing(Screen::Title));
        playThrough(game, script);
        EXPECT_EQ(game.app->world->tokenCount, kMaxTokens);
        for (std::int32_t b = 0; b < kMaxTokens; ++b) EXPECT_EQ(game.app->world->tokens[b].active, b < own) << b;
        EXPECT_EQ(count(game.dir.read("debug.txt"), kShortRead.view()), static_cast<std::size_t>(kMaxTokens - own));
    }
}

// Cells of 4 and of -2^31 in place of every block are empty: the level plays with nothing to
// stand on.
TEST(DamagedData, UnknownGridCellsAreEmpty) {
    for (const std::int32_t bad : {4, INT32_MIN}) {
        SCOPED_TRACE(bad);
        const lvl::Level level = GameFolder::level(1);
        std::vector<std::uint8_t> damaged = lvl::encodeLevel(level);
        int blocks = 0;
        for (int row = 0; row < lvl::kRows; ++row) {
            for (int column = 0; column < lvl::kColumns; ++column) {
                if (level.cells[row][column] < 0) continue;
                lvl::putNumberAt(damaged, lvl::cellAt(level.nameCount, row, column), bad);
                ++blocks;
            }
        }
        ASSERT_GT(blocks, 0);
        TestGame game;
        GameFolder folder(game.dir);
        folder.writeLevel(1, damaged);
        game.dir.write("hiscore.tbl", oldTable().bytes());
        Script script;
        visitAndLeave(script, [](Game& a) {
            for (const auto& row : a.world->blocks)
                for (const std::int32_t cell : row) EXPECT_EQ(cell, -1);
            EXPECT_FALSE(a.world->standsOnBlock());
        });
        playThrough(game, script);
        EXPECT_EQ(game.dir.read("hiscore.tbl"), oldTable().bytes());
    }
}

// Two block-file names and the background name, all twelve letters without a terminating zero:
// the grid and the tokens are still found behind them, the background is looked for under
// its twelve letters (and, missing, shows the checker).
TEST(DamagedData, NamesWithoutTerminatingZeroAreTwelveLettersLong) {
    lvl::Level level = GameFolder::level(1);
    level.nameCount += 2;
    std::vector<std::uint8_t> damaged = lvl::encodeLevel(level);
    const auto place = [&damaged](std::size_t offset) { return damaged.begin() + static_cast<std::ptrdiff_t>(offset); };
    std::fill(place(lvl::backgroundAt(0)), place(lvl::backgroundAt(level.nameCount)), 'K');
    const std::string twelve = "LAKALAKALAKA";
    std::copy(twelve.begin(), twelve.end(), place(lvl::backgroundAt(level.nameCount)));

    TestGame game;
    GameFolder folder(game.dir);
    folder.writeLevel(1, damaged);
    Script script;
    visitAndLeave(script, [&level](Game& a) {
        const GameWorld& w = *a.world;
        ASSERT_EQ(w.tokenCount, static_cast<std::int32_t>(level.tokens.size()));
        for (std::int32_t b = 0; b < w.tokenCount; ++b)
            EXPECT_EQ(w.tokens[b].type, level.tokens[static_cast<std::size_t>(b)].type);
        for (int c = 0; c < lvl::kColumns; ++c) EXPECT_EQ(w.blocks[13][c], level.cells[13][c]);
        const Surface& background = *a.display.backgroundSurface;
        EXPECT_EQ(background.at(0, 0), 0xF81F);
        EXPECT_EQ(background.at(8, 0), 0);
    });
    playThrough(game, script);
    const std::string trace = game.dir.read("debug.txt");
    const auto at = trace.find("gfx\\LAKALAKALAKA");
    ASSERT_NE(at, std::string::npos);
    EXPECT_NE(trace[at + 16], 'K');
    EXPECT_NE(trace[at + 16], 'L');
}

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

bool showsChecker(const Surface& s) { return s.at(0, 0) == 0xF81F && s.at(8, 0) == 0 && s.at(0, 8) == 0 && s.at(8, 8) == 0xF81F; }

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

// High-score files of 0, 60, 119, 121 and 10,000 bytes fill the table as far as they go; a
// game that reaches the table leaves the file as it was until the name is confirmed, and then
// writes the new table, 120 bytes, whole.
TEST(DamagedData, HighScoreFilesOfAnyLengthAreReadAsFarAsTheyGoAndSavedWhole) {
    for (const std::size_t size : {0u, 60u, 119u, 121u, 10000u}) {
        SCOPED_TRACE(size);
        std::string file = oldTable().bytes();
        for (std::size_t k = file.size(); k < size; ++k) file.push_back(static_cast<char>('A' + k % 26));
        file.resize(size);
        const Table loaded = Table::fromFile(file);

        TestGame game;
        GameFolder folder(game.dir);
        writeLevels(game.dir, 8);
        game.dir.write("hiscore.tbl", file);
        Script script;
        script.then("title", [&loaded](Game& a) { EXPECT_EQ(Table::of(*a.world), loaded); });
        scoreAndSave(script, [&](Game& a) {
            EXPECT_EQ(Table::of(*a.world), loaded.with(25, ""));
            EXPECT_EQ(game.dir.read("hiscore.tbl"), file);
        });
        playThrough(game, script);
        EXPECT_EQ(game.dir.read("hiscore.tbl"), loaded.with(25, "OLA").bytes());
        EXPECT_EQ(newTableFiles(game.dir), std::vector<std::string>{});
    }
}

namespace {

bool runAsRoot() { return ::geteuid() == 0; }

ino_t inodeOf(const fs::path& path) {
    struct stat st = {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

}  // namespace

// A table that cannot be read (no permission, or a link that leads round in a circle) is left
// alone at start-up, not replaced by an empty one, and is replaced only by the whole new table
// when a name is confirmed. A folder in the table's place cannot be replaced at all: the save
// fails, is traced, and the game goes on with the table in memory. A read-only table, or a
// read-only game folder, ends as the old table or the new one, whole.
TEST(DamagedData, AnUnreadableOrReadOnlyTableIsNeverLostOrHalfWritten) {
    const fs::path table = "hiscore.tbl";
    // No permission to read it (root reads it all the same), and a circle of links.
    for (const bool circle : {false, true}) {
        SCOPED_TRACE(circle ? "circle of links" : "mode 000");
        TestGame game;
        GameFolder folder(game.dir);
        writeLevels(game.dir, 8);
        if (circle) {
            fs::create_symlink("hiscore.tbl", game.dir.path() / table);
        } else {
            game.dir.write("hiscore.tbl", oldTable().bytes());
            fs::permissions(game.dir.path() / table, fs::perms::none);
        }
        const ino_t before = inodeOf(game.dir.path() / table);
        const Table loaded = !circle && runAsRoot() ? oldTable() : Table{};
        Script script;
        scoreAndSave(script, [&](Game& a) {
            EXPECT_EQ(Table::of(*a.world), loaded.with(25, ""));
            EXPECT_EQ(inodeOf(game.dir.path() / table), before);  // still the old one
            EXPECT_EQ(fs::is_symlink(game.dir.path() / table), circle);
        });
        playThrough(game, script);
        EXPECT_EQ(game.dir.read("hiscore.tbl"), loaded.with(25, "OLA").bytes());
    }
    // A folder where the table should be.
    {
        TestGame game;
        GameFolder folder(game.dir);
        writeLevels(game.dir, 8);
        fs::create_directory(game.dir.path() / table);
        Script script;
        scoreAndSave(script);
        testing::internal::CaptureStderr();
        playThrough(game, script);
        EXPECT_NE(testing::internal::GetCapturedStderr().find(std::strerror(EISDIR)), std::string::npos);  // says why
        EXPECT_TRUE(fs::is_directory(game.dir.path() / table));
        EXPECT_EQ(newTableFiles(game.dir), std::vector<std::string>{});
        EXPECT_EQ(Table::of(*game.app->world), Table{}.with(25, "OLA"));
        EXPECT_NE(game.dir.read("debug.txt").find(kSaveFailed.view()), std::string::npos);
    }
    // A read-only table, then a read-only game folder.
    for (const bool wholeFolder : {false, true}) {
        SCOPED_TRACE(wholeFolder ? "read-only folder" : "read-only table");
        TestGame game;
        GameFolder folder(game.dir);
        writeLevels(game.dir, 8);
        game.dir.write("hiscore.tbl", oldTable().bytes());
        const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
        fs::permissions(game.dir.path() / table, readOnly);
        if (wholeFolder) fs::permissions(game.dir.path(), readOnly | fs::perms::owner_exec);
        Script script;
        scoreAndSave(script, [&](Game&) { EXPECT_EQ(game.dir.read("hiscore.tbl"), oldTable().bytes()); });
        playThrough(game, script);
        fs::permissions(game.dir.path(), fs::perms::owner_all);
        const std::string after = game.dir.read("hiscore.tbl");
        EXPECT_TRUE(after == oldTable().bytes() || after == oldTable().with(25, "OLA").bytes());
        if (!wholeFolder) {
            EXPECT_EQ(after, oldTable().with(25, "OLA").bytes());
        }
        EXPECT_EQ(newTableFiles(game.dir), std::vector<std::string>{});
        EXPECT_EQ(Table::of(*game.app->world), oldTable().with(25, "OLA"));
    }
}

// A trace that cannot be written (a folder in its place, or a read-only file) does not stop
// anything: a whole game is played and its score saved.
TEST(DamagedData, ATraceThatCannotBeWrittenStopsNothing) {
    for (const bool folderInItsPlace : {true, false}) {
        SCOPED_TRACE(folderInItsPlace ? "folder" : "read-only file");
        TestGame game;  // the display has started the trace by now
        GameFolder folder(game.dir);
        writeLevels(game.dir, 8);
        game.dir.write("hiscore.tbl", oldTable().bytes());
        const fs::path trace = game.dir.path() / "debug.txt";
        if (folderInItsPlace) {
            fs::remove(trace);
            fs::create_directory(trace);
        } else {
            fs::permissions(trace, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        }
        const auto traceBefore = fs::is_directory(trace) ? 0 : fs::file_size(trace);
        Script script;
        scoreAndSave(script);
        playThrough(game, script);
        EXPECT_EQ(game.dir.read("hiscore.tbl"), oldTable().with(25, "OLA").bytes());
        if (folderInItsPlace) {
            EXPECT_TRUE(fs::is_directory(trace));
        } else if (!runAsRoot()) {
            EXPECT_EQ(fs::file_size(trace), traceBefore);
        }
    }
}

namespace {

// ---- special files -----------------------------------------------------------------------------

// Puts `as` in the place of `name` in the folder `dir`: "FIFO", "folder", "gone", "<n> MiB" or
// "<n> GiB" (`head`, then a hole to that size), or else a link to `as` (from `dir` when relative).
void plant(const fs::path& dir, const fs::path& name, const std::string& as, const std::string& head = "") {
    const fs::path at = dir / name;
    fs::remove(at);
    if (as == "FIFO") {
        ASSERT_EQ(::mkfifo(at.c_str(), 0644), 0) << at;
    } else if (as == "folder") {
        fs::create_directory(at);
    } else if (std::isdigit(static_cast<unsigned char>(as[0]))) {
        std::ofstream(at, std::ios::binary) << head;
        fs::resize_file(at, std::stoull(as) << (as.find('G') != std::string::npos ? 30 : 20));
    } else if (as != "gone") {
        fs::create_symlink(dir / as, at);
    }
}

// What a name holds, looked at without opening anything that could wait.
std::string stateOf(const fs::path& p) {
    const fs::file_status s = fs::symlink_status(p);
    if (fs::is_symlink(s)) return "link to " + fs::read_symlink(p).string();
    if (fs::is_fifo(s)) return "FIFO";
    return fs::exists(s) ? readBytes(p) : "nothing";
}

}  // namespace

// A level file that is a FIFO, a device or a folder counts as missing; a file of 2 GiB, nearly
// all of it a hole, that claims 2^31 - 1 block-file names is stepped over to its end and lacks
// everything behind them. Each game ends at once, and the table is untouched.
TEST(DamagedData, LevelFilesThatAreNoFilesOrEndlessEndTheGameAtOnce) {
    const lvl::Level level = GameFolder::level(1);
    std::vector<std::uint8_t> header = lvl::encodeLevel(level);
    header.resize(lvl::kHeaderSize);
    lvl::putNumberAt(header, lvl::headerAt(lvl::kNameCount), INT32_MAX);
    const std::string head(header.begin(), header.end());
    for (const std::string as : {"FIFO", "/dev/urandom", "folder", "2 GiB"}) {
        SCOPED_TRACE(as);
        TestGame game;
        GameFolder folder(game.dir);
        game.dir.write("hiscore.tbl", oldTable().bytes());
        plant(game.dir.path(), "level/level1.lvl", as, head);
        Script script;
        script.click("new game", kNewGameButton, kHoverNewGame, showing(Screen::Title));
        playThrough(game, script);

        const std::size_t shortReads = as == "2 GiB" ? level.tokens.size() : 0;
        const std::string trace = game.dir.read("debug.txt");
        EXPECT_EQ(trace.find("\n nie znaleziono!") != std::string::npos, shortReads == 0);
        EXPECT_EQ(count(trace, kShortRead.view()), shortReads);
        EXPECT_FALSE(plat::windowExists());
        EXPECT_EQ(game.dir.read("hiscore.tbl"), oldTable().bytes());
    }
}

// FIFOs, devices, links and a song too long to be one in the place of the files the game reads
// and writes; each time a whole game is played and its score saved. A picture or song that is
// no regular file counts as missing; the table as a FIFO counts as a table with nothing in it,
// as a link it is read through. The save puts a new file of its own in the table's place,
// never writes through the old temporary name or the trace's link, and leaves nothing behind.
// What lies outside the folder keeps its bytes, every planted FIFO and link stays, and the
// table on disk is the old one until the new one is whole.
TEST(DamagedData, SpecialFilesAndLinksNeverStopTheGameOrLeadItsWritesOutsideItsFolder) {
    const fs::path keep = "elsewhere/keep.txt";  // outside the game's files: an old table
    const fs::path fresh = "elsewhere/fresh.txt";
    auto checker = [](TestGame& g) { EXPECT_TRUE(showsChecker(*g.app->display.backgroundSurface)); };
    auto silent = [](TestGame&) {
        const auto& calls = hl::musicCalls();
        EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](auto& c) { return c.what == "load" && c.value == 0; }));
    };
    auto traceAfresh = [](TestGame& g) { g.app->error.debugLog("start", false); };
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, const char*>> plants;  // name, what takes its place
        std::function<void(TestGame&)> check = nullptr;
    };
    const Case cases[] = {
        {"title picture as a FIFO", {{"gfx/title.bmp", "FIFO"}}, checker},
        {"title picture as a link to /dev/zero", {{"gfx/title.bmp", "/dev/zero"}}, checker},
        {"level background as a FIFO", {{"gfx/tlo.bmp", "FIFO"}}},
        {"song as a FIFO", {{"music/3dparadise.mod", "FIFO"}}, silent},
        {"song of 33 MiB", {{"music/3dparadise.mod", "33 MiB"}}, silent},
        {"table as a FIFO", {{"hiscore.tbl", "FIFO"}}},
        {"table as a link elsewhere", {{"hiscore.tbl", "elsewhere/keep.txt"}}},
        {"no table, old temporary name a link elsewhere", {{"hiscore.tbl", "gone"}, {"hiscore.tbl.tmp", "elsewhere/keep.txt"}}},
        {"old temporary name a link to nothing", {{"hiscore.tbl.tmp", "elsewhere/fresh.txt"}}},
        {"no table, old temporary name a FIFO", {{"hiscore.tbl", "gone"}, {"hiscore.tbl.tmp", "FIFO"}}},
        {"trace as a FIFO", {{"debug.txt", "FIFO"}}, traceAfresh},
        {"trace as a link elsewhere", {{"debug.txt", "elsewhere/keep.txt"}}, traceAfresh},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestGame game;
        GameFolder folder(game.dir);
        writeLevels(game.dir, 8);
        fs::create_directory(game.dir.path() / "elsewhere");
        game.dir.write(keep, oldTable().bytes());
        game.dir.write("hiscore.tbl", oldTable().bytes());
        std::vector<std::pair<fs::path, std::string>> kept = {{keep, stateOf(keep)}, {fresh, "nothing"}};
        for (const auto& [name, as] : c.plants) {
            plant(game.dir.path(), name, as);
            if (std::string(name) != "hiscore.tbl" && !fs::is_regular_file(fs::symlink_status(name)))
                kept.emplace_back(name, stateOf(name));
        }
        const bool tableThere = fs::is_regular_file("hiscore.tbl");
        const Table loaded = tableThere ? Table::fromFile(readBytes("hiscore.tbl")) : Table{};
        const std::string atEntry = fs::exists(fs::symlink_status("hiscore.tbl")) ? stateOf("hiscore.tbl") : Table{}.bytes();

        Script script;
        scoreAndSave(script, [&](Game& a) {
            EXPECT_EQ(Table::of(*a.world), loaded.with(25, ""));
            EXPECT_EQ(stateOf("hiscore.tbl"), atEntry);
        });
        playThrough(game, script);
        if (c.check) c.check(game);

        EXPECT_EQ(stateOf("hiscore.tbl"), loaded.with(25, "OLA").bytes());
        for (const auto& [name, state] : kept) EXPECT_EQ(stateOf(name), state) << name;
        EXPECT_EQ(newTableFiles(game.dir).size(), fs::exists(fs::symlink_status("hiscore.tbl.tmp")) ? 1u : 0u);
    }
}
