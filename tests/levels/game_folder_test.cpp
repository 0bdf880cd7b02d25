// A pack built into a game folder (kalkulon-levels build --out, and the game's run folders):
// nothing the build did not make is ever deleted, replaced or written through, and a failure
// leaves nothing behind.
#include "lessons/game_folder.h"
#include "lessons/level_binary.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <functional>
#include <set>

namespace fs = std::filesystem;

namespace {

// Every path under `root`, links not followed, with the bytes of each regular file.
std::set<std::string> contents(const fs::path& root) {
    std::set<std::string> out;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        std::string line = fs::relative(it->path(), root).string();
        if (it->is_symlink()) line += " -> " + fs::read_symlink(it->path()).string();
        else if (it->is_regular_file()) line += " = " + std::to_string(fs::file_size(it->path()));
        out.insert(line);
    }
    return out;
}

struct Built {
    lvl::Installed installed;
    lvl::Pack pack;
};

Built examplePack(const char* name) {
    Built b;
    lvl::Text error;
    EXPECT_TRUE(lvl::findInstalled(KALKULON_GAME_DIR, b.installed, error)) << error.en;
    std::vector<lvl::Problem> problems;
    EXPECT_TRUE(lvl::readPack(fs::path(KALKULON_GAME_DIR) / "packs" / name, b.installed.scenery, b.pack, problems));
    return b;
}

// The disk takes no file of more than 100 bytes while `step` runs.
bool withFullDisk(const std::function<bool()>& step) {
    struct rlimit limit = {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit full = limit;
    full.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &full);
    const bool done = step();
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);
    return done;
}

}  // namespace

TEST(GameFolder, ABuildTouchesNothingItDidNotMakeAndAFailureLeavesNothingBehind) {
    const Built a = examplePack("dodawanie-do-20");
    const Built b = examplePack("tabliczka-2-5-10");
    struct Case {
        const char* what;
        std::function<void(const testing_support::TempDir&)> setUp;
        const Built* pack;
        bool fullDisk;
        const char* refusal;  // nullptr: built
    };
    const auto file = [](const testing_support::TempDir& d, const std::string& name) {
        fs::create_directories(fs::path(name).parent_path());
        d.write(name, "a teacher's");
    };
    const Case cases[] = {
        {"a new folder", [](auto&) {}, &a, false, nullptr},
        {"a new folder, the disk full", [](auto&) {}, &a, true, "cannot write"},
        {"no folder to build in", [](auto&) { fs::remove_all("parent"); }, &a, false, "there is no folder"},
        {"a teacher's files",
         [&](auto& d) {
             for (const char* f : {"gfx/holiday.bmp", "level/essay.txt", "music/album/song.mp3"})
                 file(d, std::string("parent/out/") + f);
         },
         &a, false, "holds gfx, level, music, which a build does not make"},
        {"a home folder", [&](auto& d) { file(d, "parent/out/notes.txt"); }, &a, false, "holds notes.txt"},
        {"one picture of its own among the links",
         [&](auto& d) {
             file(d, "parent/out/gfx/holiday.bmp");
             fs::create_symlink("/nowhere", "parent/out/music");
         },
         &a, false, "holds gfx"},
        {"a link to a folder",
         [](auto&) {
             fs::create_directories("elsewhere");
             fs::create_directory_symlink("../elsewhere", "parent/out");
         },
         &a, false, "is a link"},
        {"an earlier build, played", [](auto&) {}, &b, false, nullptr},
        {"an earlier build, the disk full", [](auto&) {}, &b, true, "cannot write"},
        {"an earlier build, the same pack", [](auto&) {}, &a, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing_support::TempDir dir;
        fs::create_directories("parent");
        const bool earlier = std::string(c.what).starts_with("an earlier build");
        lvl::Text error;
        if (earlier) {
            ASSERT_TRUE(lvl::buildGameFolder(a.pack, a.installed, "parent/out", error)) << error.en;
            dir.write("parent/out/hiscore.tbl", std::string(120, 'T'));
            dir.write("parent/out/debug.txt", "trace");
        }
        c.setUp(dir);
        const std::set<std::string> before = contents(dir.path());
        const auto build = [&] { return lvl::buildGameFolder(c.pack->pack, c.pack->installed, "parent/out", error); };
        const bool built = c.fullDisk ? withFullDisk(build) : build();
        if (c.refusal != nullptr) {
            EXPECT_FALSE(built);
            EXPECT_NE(error.en.find(c.refusal), std::string::npos) << error.en;
            if (std::string_view(c.refusal) == "cannot write") {  // the verb in each language
                EXPECT_EQ(error.pl.find("nie można zapisać"), 0u) << error.pl;
                EXPECT_EQ(error.uk.find("не вдається записати"), 0u) << error.uk;
            }
            EXPECT_EQ(contents(dir.path()), before);
            continue;
        }
        ASSERT_TRUE(built) << error.en;
        lvl::Level level;
        std::string why;
        ASSERT_TRUE(lvl::readLevelFile("parent/out/level/level7.lvl", level, why)) << why;
        EXPECT_EQ(level.target, c.pack->pack.levels[6].level.target);
        EXPECT_EQ(fs::read_symlink("parent/out/music"), c.pack->installed.folder / "music");
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator("parent")) names.insert(entry.path().filename());
        EXPECT_EQ(names, std::set<std::string>{"out"});  // nothing left beside it
        std::set<std::string> inside;
        for (const auto& entry : fs::directory_iterator("parent/out")) inside.insert(entry.path().filename());
        const std::set<std::string> parts = {"gfx", "level", "music"};
        const std::set<std::string> played = {"debug.txt", "gfx", "hiscore.tbl", "level", "music"};
        EXPECT_EQ(inside, earlier ? played : parts);
        if (earlier) {
            EXPECT_EQ(dir.read("parent/out/hiscore.tbl"), std::string(120, 'T'));
            if (c.pack == &a) {
                EXPECT_EQ(contents(dir.path()), before);  // the same: nothing swapped
            }
        }
    }
}
