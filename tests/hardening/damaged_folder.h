// Helpers of the games played over damaged copies of the generated game folder: the folder
// copied and ready to be damaged, high-score tables as bytes, and the scripts those games follow.
#pragma once

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

namespace damaged {

namespace fs = std::filesystem;
using namespace replay;
using namespace testing_support;
using testing_support::TempDir;
using testing_support::TestGame;

inline const fs::path kGameDir = KALKULON_GAME_DIR;

inline std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::int32_t le32At(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int b = 3; b >= 0; --b) v = v << 8 | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(b)]);
    return static_cast<std::int32_t>(v);
}

inline std::size_t count(const std::string& haystack, std::string_view needle) {
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
inline std::vector<std::string> newTableFiles(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        if (entry.path().filename().string().starts_with("hiscore.tbl.") && entry.path().extension() != ".lock")
            names.push_back(entry.path().filename());
    return names;
}

// A table that a game of 25 points enters at row 8; one name of 8 letters has no terminator.
inline Table oldTable() {
    Table t;
    const std::int32_t scores[kHighScoreRows] = {900, 700, 500, 300, 100, 80, 60, 40, 20, 10};
    const char* names[kHighScoreRows] = {"ALA", "KUBACKIE", "ZOSIA", "OLEK", "A B", "", "EWA", "IGA", "JAN", "TOMEK"};
    for (int i = 0; i < kHighScoreRows; ++i) {
        t.scores[i] = scores[i];
        std::memcpy(t.names[i], names[i], std::strlen(names[i]));
    }
    return t;
}

// The checker that stands for a picture the game could not read.
inline bool showsChecker(const Surface& s) {
    return s.at(0, 0) == 0xF81F && s.at(8, 0) == 0 && s.at(0, 8) == 0 && s.at(8, 8) == 0xF81F;
}

// ---- scripts -----------------------------------------------------------------------------------

// A level on screen, played or finished (should the walk have taken a whole sum).
inline bool inLevel(Game& a) { return a.screenShown() == Screen::Play || a.screenShown() == Screen::Result; }

// A level played a little (walking right, then jumping), paused and left; then the high-score
// screen looked at, and the game left by its exit button.
inline void visitAndLeave(Script& script, std::function<void(Game&)> whilePlaying = nullptr) {
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
inline void scoreAndSave(Script& script, std::function<void(Game&)> atNameEntry = nullptr) {
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
inline void playThrough(TestGame& game, Script& script) { EXPECT_EQ(play(game, script), 0); }

}  // namespace damaged
