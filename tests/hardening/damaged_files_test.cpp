// Whole games played over high-score tables of every length, unreadable or read-only, a trace
// that cannot be written, and FIFOs, devices, links and endless files in the place of any file
// the game reads or writes: the game runs to its normal end, and the table on disk is the old
// one or the new one, whole.

#include "hardening/damaged_folder.h"

#include <gtest/gtest.h>

using namespace damaged;

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
