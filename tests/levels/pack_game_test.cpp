// Lesson packs in the game: an example pack played by name through a whole headless game to
// the ending, its score saved in its own table in the player's data folder while the game's own
// table is not touched; a second game of a pack leaving the first one's folder alone; and packs
// that the game refuses to play.
#include "lessons/level_binary.h"
#include "lessons/pack.h"
#include "lessons/solver.h"
#include "shell/options.h"

#include "support/test_game.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

// The game's data linked into the harness's folder, and no player's packs: XDG_DATA_HOME points
// into the folder while the object lives.
class PackFolder {
public:
    explicit PackFolder(const testing_support::TempDir& dir) {
        testing_support::linkGameData(dir);
        if (const char* was = std::getenv("XDG_DATA_HOME")) previous_ = was;
        setenv("XDG_DATA_HOME", (dir.path() / "xdg").c_str(), 1);
    }
    ~PackFolder() {
        if (previous_) setenv("XDG_DATA_HOME", previous_->c_str(), 1);
        else unsetenv("XDG_DATA_HOME");
    }
    PackFolder(const PackFolder&) = delete;
    PackFolder& operator=(const PackFolder&) = delete;

private:
    std::optional<std::string> previous_;
};

int options(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    std::string language;
    return handleOptions(static_cast<int>(argv.size()), argv.data(), {fs::current_path(), true, {}}, language);
}

TEST(PackGame, AnInstalledPackIsWonToTheEndingAndKeepsItsOwnTable) {
    testing_support::TestGame game;
    const PackFolder folder(game.dir);
    ASSERT_EQ(options({"kalkulon", "--pack", "dodawanie-do-20"}), -1);
    const fs::path run = fs::current_path();
    EXPECT_EQ(run.parent_path(), game.dir.path() / "xdg" / "kalkulon" / "pack-games");
    EXPECT_TRUE(run.filename().string().starts_with("dodawanie-do-20-")) << run;

    std::vector<solver::Route> routes(8);
    for (int n = 1; n <= 7; ++n) {
        lvl::Level level;
        std::string error;
        ASSERT_TRUE(lvl::readLevelFile("level/level" + std::to_string(n) + ".lvl", level, error)) << error;
        routes[static_cast<std::size_t>(n)] = solver::solve(level);
        ASSERT_TRUE(routes[static_cast<std::size_t>(n)].found) << "level " << n;
    }
    EXPECT_EQ(routes[7].result, 20);  // the pack's last level, not the game's own
    std::array<std::int32_t, 8> results{};
    replay::Script script;
    testing_support::winWithRoutes(script, routes, results).closeWindow();
    EXPECT_EQ(testing_support::play(game, script), 0);
    for (std::size_t n = 1; n <= 7; ++n) EXPECT_EQ(results[n], routes[n].result) << "level " << n;

    std::ifstream table(run / "hiscore.tbl", std::ios::binary);
    std::int32_t best = 0;
    table.read(reinterpret_cast<char*>(&best), 4);
    EXPECT_EQ(best, testing_support::pointsOf(routes));
    EXPECT_FALSE(fs::exists(game.dir.path() / "hiscore.tbl")) << "the game's own table";
}

// Each level shows the installed background it names, and the block picture that goes with that
// background or the one it picks.
TEST(PackGame, LevelsPickTheirPicturesFromTheInstalledOnes) {
    testing_support::TempDir dir;
    const PackFolder folder(dir);
    fs::copy(fs::path(KALKULON_GAME_DIR) / "packs" / "tabliczka-2-5-10", "mine");
    std::string text = dir.read("mine/level1.txt");
    text.replace(text.find("background laka.bmp"), 19, "background grota.bmp\nblocks 3");
    dir.write("mine/level1.txt", text);
    ASSERT_EQ(options({"kalkulon", "--pack", "mine"}), -1);
    EXPECT_EQ(fs::read_symlink("gfx/klocki1.bmp").filename(), "klocki3.bmp");
    EXPECT_EQ(fs::read_symlink("gfx/klocki2.bmp").filename(), "klocki2.bmp");
    EXPECT_EQ(fs::read_symlink("gfx/grota.bmp"), fs::canonical(fs::path(KALKULON_GAME_DIR) / "gfx" / "grota.bmp"));
    lvl::Level level;
    std::string error;
    ASSERT_TRUE(lvl::readLevelFile("level/level1.lvl", level, error)) << error;
    EXPECT_EQ(level.background, "grota.bmp");
    EXPECT_EQ(level.targetX, 300);  // where grota.bmp shows its board, not laka.bmp (304)
    EXPECT_FALSE(fs::exists("gfx/klocki8.bmp"));
}

// Each pack folder has a table of its own, names differing only in signs too; a second game of
// a pack shares the first one's folder and table and rebuilds nothing of it, and a pack changed
// meanwhile is swapped in whole, its table kept.
TEST(PackGame, EveryPackFolderHasItsOwnTableAndASecondGameRebuildsNothing) {
    testing_support::TempDir dir;
    const PackFolder folder(dir);
    const fs::path example = fs::path(KALKULON_GAME_DIR) / "packs" / "tabliczka-2-5-10";
    std::set<std::string> keys;
    for (const char* name : {"razy 3", "razy_3", "mnożenie ×3 żółw", "mnożenie ×3 źółw"}) {
        fs::copy(example, dir.path() / name);
        lvl::PackChoice choice;
        lvl::Text error;
        ASSERT_TRUE(lvl::resolvePack(name, dir.path(), {}, choice, error)) << error.en;
        keys.insert(choice.key);
    }
    EXPECT_EQ(keys.size(), 4u);

    ASSERT_EQ(options({"kalkulon", "--pack", "razy 3"}), -1);
    const fs::path run = fs::current_path();
    dir.write(run / "hiscore.tbl", std::string(120, 'T'));
    const auto inode = [](const fs::path& p) {
        struct stat st {};
        ::lstat(p.c_str(), &st);
        return st.st_ino;
    };
    const ino_t levels = inode(run / "level");
    fs::current_path(dir.path());
    ASSERT_EQ(options({"kalkulon", "--pack", "razy 3"}), -1);
    EXPECT_EQ(fs::current_path(), run);
    EXPECT_EQ(inode(run / "level"), levels);  // the same files, not made again

    std::string text = dir.read("razy 3/level1.txt");
    text.replace(text.find("background laka.bmp"), 19, "background grota.bmp\nblocks 3");
    dir.write("razy 3/level1.txt", text);
    fs::current_path(dir.path());
    ASSERT_EQ(options({"kalkulon", "--pack", "razy 3"}), -1);
    EXPECT_NE(inode(run / "level"), levels);
    lvl::Level level;
    std::string error;
    ASSERT_TRUE(lvl::readLevelFile("level/level1.lvl", level, error)) << error;
    EXPECT_EQ(level.background, "grota.bmp");
    EXPECT_EQ(dir.read(run / "hiscore.tbl"), std::string(120, 'T'));
    for (const auto& entry : fs::directory_iterator(run)) EXPECT_FALSE(entry.path().filename().string().starts_with("."));
}

TEST(PackGame, PacksThatCannotBePlayedAreRefused) {
    testing_support::TempDir dir;
    const PackFolder folder(dir);
    const fs::path pack = fs::path(KALKULON_GAME_DIR) / "packs" / "dodawanie-do-20";
    auto copy = [&](const std::string& name) {
        fs::create_directories(name);
        for (int n = 1; n <= 7; ++n)
            fs::copy_file(pack / ("level" + std::to_string(n) + ".txt"), name + "/level" + std::to_string(n) + ".txt");
    };
    copy("missing");
    fs::remove("missing/level4.txt");
    copy("outside");
    fs::remove("outside/level2.txt");
    fs::create_symlink(pack / "level2.txt", "outside/level2.txt");
    copy("trap");  // the pit of level 1: the floor open under the middle
    std::string text = dir.read("trap/level1.txt");
    text.replace(text.rfind("X##################X"), 20, "X#######....#######X");
    dir.write("trap/level1.txt", text);
    copy("untitled");
    dir.write("untitled/pack.txt", "title   # the title went missing\n");
    const std::pair<const char*, const char*> cases[] = {{"untitled", "untitled/pack.txt:1: \"title\" needs a text"},
                                                         {"missing", "missing/level4.txt:1: cannot read the file"},
                                                         {"outside", "outside/level2.txt:1: the file points outside its pack"},
                                                         {"trap", "trap/level1.txt:21: a trap: the hero can fall off the grid"},
                                                         {"no-such-pack", "no pack named no-such-pack"}};
    for (const auto& [name, message] : cases) {
        SCOPED_TRACE(name);
        testing::internal::CaptureStderr();
        EXPECT_EQ(options({"kalkulon", "--language", "en", "--pack", name}), 2);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(message), std::string::npos) << said;
        fs::current_path(dir.path());
    }
    EXPECT_EQ(options({"kalkulon", "--list-packs", "x"}), 2);
}

}  // namespace
