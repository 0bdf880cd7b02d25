// Lesson packs in the game: an example pack played by name through a whole headless game to
// the ending, as its settings ask and as its preview draws it, its score saved in its own table
// in the player's data folder while the game's own table is not touched; a second game of a pack
// leaving the first one's folder alone; packs that the game refuses to play, said where a
// teacher looks; the listed packs with the broken ones marked; pack.txt's settings and a text
// saved in Windows-1250; a lesson chosen in the game, after who plays, and played to its own
// table, its title in the records.
#include "lessons/level_binary.h"
#include "lessons/pack.h"
#include "lessons/solver.h"
#include "platform/cp1250.h"
#include "platform/headless.h"
#include "preview.h"
#include "records/play_recorder.h"
#include "records/record_reader.h"
#include "shell/lesson_shelf.h"
#include "shell/options.h"

#include "support/test_game.h"

#include <array>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// The command line in English, as the messages checked here are.
int options(std::vector<std::string> args, StartOptions* settings = nullptr) {
    if (std::find(args.begin(), args.end(), "--language") == args.end()) args.insert(args.begin() + 1, {"--language", "en"});
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    StartOptions own;
    return handleOptions(static_cast<int>(argv.size()), argv.data(), {fs::current_path(), true, {}},
                         settings != nullptr ? *settings : own);
}

// A class of one name, its table the game's own.
class OneChild : public ClassRoom {
public:
    const std::vector<std::string>& names() const override { return names_; }
    void choose(std::size_t) override {}
    std::string tableFolder() const override { return {}; }
    bool unwritable() const override { return false; }

private:
    std::vector<std::string> names_{"Ola"};
};

const fs::path kExamples = fs::path(KALKULON_GAME_DIR) / "packs";

// The installed game's data and its example pack of sums within 20.
bool readAdditionPack(lvl::Installed& installed, lvl::Pack& pack) {
    lvl::Text error;
    std::vector<lvl::Problem> problems;
    return lvl::findInstalled(KALKULON_GAME_DIR, installed, error) &&
           lvl::readPack(kExamples / "dodawanie-do-20", installed.scenery, pack, problems);
}

TEST(PackGame, AnInstalledPackIsWonToTheEndingAndKeepsItsOwnTable) {
    testing_support::TestGame game;
    const PackFolder folder(game.dir);
    StartOptions settings;
    ASSERT_EQ(options({"kalkulon", "--pack", "dodawanie-do-20"}, &settings), -1);
    const fs::path run = fs::current_path();
    EXPECT_EQ(run.parent_path(), game.dir.path() / "xdg" / "kalkulon" / "pack-games");
    EXPECT_TRUE(run.filename().string().starts_with("dodawanie-do-20-")) << run;
    game.app->showFrameRate = settings.showFrameRate;  // as the program's main does
    // The first frame each level is played in (the first of level 1 shows the story over it).
    std::vector<preview::Frame> started(8);
    plat::headless::setPresentHook([&](const plat::headless::Frame& frame) {
        if (frame.flip && game.app->screenShown() == Screen::Play && started[game.app->levelNumber].empty())
            started[game.app->levelNumber] = frame.pixels;
    });

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

    // The preview draws each level as the game showed it, frame counter hidden as the pack asks;
    // the lives and points below the grid are the game's own.
    lvl::Installed installed;
    lvl::Text error;
    lvl::Pack pack;
    ASSERT_TRUE(readAdditionPack(installed, pack));
    std::vector<preview::Frame> drawn;
    ASSERT_TRUE(preview::levelFrames(pack, installed, drawn, error)) << error.en;
    const auto grid = static_cast<std::ptrdiff_t>(lvl::kPlayWidth * lvl::kPlayHeight);
    for (std::size_t n = 2; n <= 7; ++n) {
        ASSERT_EQ(started[n].size(), drawn[n - 1].size()) << "level " << n;
        EXPECT_TRUE(std::equal(started[n].begin(), started[n].begin() + grid, drawn[n - 1].begin())) << "level " << n;
    }
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
    EXPECT_EQ(fs::read_symlink("gfx/grota.bmp"), fs::canonical(kExamples / ".." / "gfx" / "plain" / "grota.bmp"));  // as asked
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
        struct stat st = {};
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
    copy("capitals");
    fs::rename("capitals/level1.txt", "capitals/Level1.txt");
    const std::pair<const char*, const char*> cases[] = {
        {"untitled", "untitled/pack.txt:1: \"title\" needs a text"},
        {"capitals", "capitals/level1.txt:1: there is no level1.txt; did you mean \"Level1.txt\"? Rename it level1.txt"},
        {"missing", "missing/level4.txt:1: cannot read the file"},
        {"outside", "outside/level2.txt:1: the file points outside its pack"},
        {"trap", "trap/level1.txt:21: a trap: the hero can fall off the grid"},
        {"no-such-pack", "no pack named no-such-pack"}};
    for (const auto& [name, message] : cases) {
        SCOPED_TRACE(name);
        const std::size_t boxes = plat::headless::messageBoxes().size();
        testing::internal::CaptureStderr();
        EXPECT_EQ(options({"kalkulon", "--language", "en", "--pack", name}), 2);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find(message), std::string::npos) << said;
        // Started from a desktop, standard error goes nowhere: the game's message window says it.
        ASSERT_EQ(plat::headless::messageBoxes().size(), boxes + 1);
        EXPECT_NE(plat::headless::messageBoxes().back().text.find(message), std::string::npos);
        fs::current_path(dir.path());
    }
    EXPECT_EQ(options({"kalkulon", "--list-packs", "x"}), 2);
}

TEST(PackGame, ListedPacksMarkTheBrokenOnes) {
    testing_support::TempDir dir;
    const PackFolder folder(dir);
    const fs::path mine = dir.path() / "xdg" / "kalkulon" / "packs";
    fs::create_directories(mine);
    fs::copy(kExamples / "tabliczka-2-5-10", mine / "dobry");
    fs::copy(kExamples / "tabliczka-2-5-10", mine / "zepsuty");
    fs::rename(mine / "zepsuty" / "level3.txt", mine / "zepsuty" / "level3.txt.txt");
    testing::internal::CaptureStdout();
    EXPECT_EQ(options({"kalkulon", "--list-packs"}), 0);
    const std::string listed = testing::internal::GetCapturedStdout();
    const std::string title = "Tabliczka mnożenia: x2, x5, x10\n";
    const std::string broken = "  BROKEN, cannot be played: " + (mine / "zepsuty" / "level3.txt").string() +
                               ":1: there is no level3.txt; did you mean \"level3.txt.txt\"? Rename it level3.txt\n";
    EXPECT_NE(listed.find("dobry" + std::string(20, ' ') + title + "zepsuty" + std::string(18, ' ') + title + broken),
              std::string::npos)
        << listed;
}

// pack.txt's settings reach the game; a pack saved in Windows-1250 is read as such and said to
// be; a text in neither encoding, or a setting the game does not know, is named.
TEST(PackGame, SettingsAndEncodingsOfPackTxt) {
    testing_support::TempDir dir;
    const PackFolder folder(dir);
    fs::copy(kExamples / "tabliczka-2-5-10", "ansi");
    dir.write("ansi/pack.txt", plat::fromUtf8("title Mnożenie przez 2\nfps off\nbackgrounds plain\n"));
    StartOptions settings;
    testing::internal::CaptureStderr();
    ASSERT_EQ(options({"kalkulon", "--pack", "ansi"}, &settings), -1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("ansi/pack.txt:1: note: the file is not UTF-8 and was read as "
                                                          "Windows-1250"),
              std::string::npos);
    EXPECT_FALSE(settings.showFrameRate);
    EXPECT_EQ(fs::read_symlink("gfx/laka.bmp"), fs::canonical(kExamples / ".." / "gfx" / "plain" / "laka.bmp"));
    const auto bytes = [](const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    EXPECT_NE(bytes("gfx/laka.bmp"), bytes(kExamples / ".." / "gfx" / "laka.bmp")) << "the plain background is the painted one";
    fs::current_path(dir.path());
    lvl::Installed installed;
    lvl::Text error;
    ASSERT_TRUE(lvl::findInstalled(KALKULON_GAME_DIR, installed, error));
    lvl::Pack pack;
    std::vector<lvl::Problem> problems;
    EXPECT_TRUE(lvl::readPack("ansi", installed.scenery, pack, problems));
    EXPECT_EQ(pack.title, "Mnożenie przez 2");

    const std::pair<std::string, std::string> wrong[] = {
        {"fps maybe\n", "ansi/pack.txt:1: \"fps\" takes on or off, not \"maybe\""},
        {"title \x81\x98\n", "ansi/pack.txt:1: the file is neither UTF-8 nor Windows-1250: save it as UTF-8"}};
    for (const auto& [text, message] : wrong) {
        dir.write("ansi/pack.txt", text);
        problems.clear();
        EXPECT_FALSE(lvl::readPack("ansi", installed.scenery, pack, problems));
        ASSERT_EQ(problems.size(), 1u);
        EXPECT_EQ(problems[0].format(lvl::Language::English), message);
    }
}

// A lesson chosen in the game: NOWA GRA opens the chooser over the title, a lesson that cannot be
// read says why and does not start (the mouse), and a lesson chosen with a gamepad is played to
// its ending, its title shown, its score in its own table in the player's data folder.
TEST(PackGame, ALessonChosenInTheGameIsPlayedToItsOwnTable) {
    using namespace replay;
    testing_support::TestGame game;
    const PackFolder folder(game.dir);
    const fs::path mine = game.dir.path() / "xdg" / "kalkulon" / "packs";
    fs::create_directories(mine);
    fs::copy(kExamples / "tabliczka-2-5-10", mine / "zepsuty");
    fs::rename(mine / "zepsuty" / "level3.txt", mine / "zepsuty" / "Level3.txt");
    game.app->lessons = installedLessons(game.dir.path(), lvl::Language::Polish);
    ASSERT_EQ(game.app->lessons.lessons.size(), 3u);  // the player's own first, then the two examples
    OneChild klass;
    game.app->classRoom = &klass;
    fs::create_directory(game.dir.path() / "records");
    std::optional<records::RecordWriter> writer(std::in_place, game.dir.path() / "records", lvl::Language::English);
    std::optional<records::PlayRecorder> recorder(std::in_place, *writer, "Ola", "");
    game.app->playObserver = &*recorder;

    lvl::Installed installed;
    lvl::Text error;
    lvl::Pack pack;
    ASSERT_TRUE(readAdditionPack(installed, pack));
    std::vector<solver::Route> routes(8);
    for (std::size_t n = 1; n <= 7; ++n) ASSERT_TRUE((routes[n] = solver::solve(pack.levels[n - 1].level)).found) << n;

    const auto row = [](std::int32_t r) { return kHoverLessonRow + r; };
    const auto lessonsUp = [](Game& a) { return a.screenShown() == Screen::Lessons && a.buttonsShown > 0; };
    std::array<std::int32_t, 8> results{};
    Script script;
    script.then("plug in a gamepad", [](Game&) { hl::plugPad(1); })
        .click("new game", kNewGameButton, kHoverNewGame, showing(Screen::Title))
        .click("who plays", spotOf(kHoverFirstPlayer), kHoverFirstPlayer, showing(Screen::WhoPlays))
        .then("a name the last save left, and no way to save it", lessonsUp,
              [&](Game& a) {
                  a.world->unsaved[0] = {5, "ALA"};
                  a.world->unsavedCount = 1;
                  fs::remove(game.dir.path() / "hiscore.tbl");
                  fs::create_directory(game.dir.path() / "hiscore.tbl");
              })
        .click("another lesson's table", spotOf(row(2)), row(2), lessonsUp)
        .click("DALEJ under not saved", kBoxButton, kHoverLessonOk,
               [](Game& a) { return a.refusal.heading.has_value() && a.lessonPlayed == 0; })
        .then("the table can be saved again", lessonsUp, [&](Game&) { fs::remove(game.dir.path() / "hiscore.tbl"); })
        .click("the broken lesson", spotOf(row(1)), row(1), lessonsUp)
        .click("DALEJ under why", kBoxButton, kHoverLessonOk, [](Game& a) { return !a.refusal.why.empty(); })
        .then(
            "down to the third row", [](Game& a) { return a.refusal.why.empty() && a.buttonsShown == 5; },
            [](Game&) {
                for (int i = 0; i < 3; ++i) tapPad(1, plat::PadButton::DpadDown);
            })
        .then(
            "choose it", [&](Game& a) { return a.hoverButton == row(2); }, [](Game&) { tapPad(1, plat::PadButton::South); })
        .click("START", kBoxButton, kHoverStart, showing(Screen::Story));
    for (std::size_t n = 1; n <= kLastLevel; ++n) {
        script.followRoute(routes[n].steps);
        script.then("level " + std::to_string(n) + " judged", [&results, n](Game& a) { results[n] = a.world->result; });
        script.click("DALEJ", kBoxButton, kHoverNextWon, showing(Screen::Result));
    }
    script.then("name entry", showing(Screen::HighScores), [](Game&) {}).keys("Enter", {plat::kScanEnter}).closeWindow();
    EXPECT_EQ(testing_support::play(game, script), 0);
    recorder.reset();
    writer.reset();
    records::RecordSet set;
    ASSERT_TRUE(records::readRecords(game.dir.path(), set, error));
    ASSERT_FALSE(set.records.empty());
    for (const records::Record& r : set.records) EXPECT_EQ(r.pack, "Dodawanie do 20");

    EXPECT_NE(game.app->lessons.lessons[0].broken.find("Level3.txt"), std::string::npos) << game.app->lessons.lessons[0].broken;
    EXPECT_EQ(game.app->lessonTitle, plat::fromUtf8("Dodawanie do 20"));  // Polish: as the game draws it
    for (std::size_t n = 1; n <= 7; ++n) EXPECT_EQ(results[n], routes[n].result) << "level " << n;
    const fs::path run = fs::current_path();
    EXPECT_EQ(run.parent_path(), game.dir.path() / "xdg" / "kalkulon" / "pack-games");
    std::ifstream table(run / "hiscore.tbl", std::ios::binary);
    std::int32_t best = 0;
    table.read(reinterpret_cast<char*>(&best), 4);
    EXPECT_EQ(best, testing_support::pointsOf(routes));
    const std::string classic = game.dir.read("hiscore.tbl");
    ASSERT_EQ(classic.size(), 120u);
    EXPECT_NE(classic.find("ALA"), std::string::npos) << "saved in its own table before another was taken";
    EXPECT_EQ(classic.substr(0, 4), std::string("\x05\0\0\0", 4)) << "the lesson's score is not in the game's own table";
}

}  // namespace

// Outside Polish a lesson's title keeps its letters, Cyrillic and Polish alike, from the list to
// the game, and why a lesson cannot be played is said in the game's language.
TEST(PackGame, AUkrainianGameKeepsALessonsLettersAndSaysWhyInUkrainian) {
    using namespace replay;
    testing_support::TestGame game("uk");
    const PackFolder folder(game.dir);
    const fs::path mine = game.dir.path() / "xdg" / "kalkulon" / "packs";
    fs::create_directories(mine);
    fs::copy(kExamples / "tabliczka-2-5-10", mine / "a-zepsuty");
    fs::rename(mine / "a-zepsuty" / "level3.txt", mine / "a-zepsuty" / "Level3.txt");
    fs::copy(kExamples / "dodawanie-do-20", mine / "b-dodawanie");
    const std::string title = "Додавання, żółw";
    std::ifstream in(mine / "b-dodawanie" / "pack.txt");
    std::string text((std::istreambuf_iterator<char>(in)), {});
    text.replace(text.find("Dodawanie do 20"), 15, title);
    std::ofstream(mine / "b-dodawanie" / "pack.txt") << text;
    game.app->lessons = installedLessons(game.dir.path(), lvl::Language::Ukrainian);
    ASSERT_EQ(game.app->lessons.lessons.size(), 4u);
    EXPECT_EQ(game.app->lessons.lessons[1].title, title);
    const std::string why = game.app->lessons.lessons[0].broken;
    EXPECT_TRUE(why.starts_with("level3.txt:1: немає файлу")) << why;

    const auto lessonsUp = [](Game& a) { return a.screenShown() == Screen::Lessons && a.buttonsShown > 0; };
    Script script;
    script.click("new game", kNewGameButton, kHoverNewGame, showing(Screen::Title))
        .click("the broken lesson", spotOf(kHoverLessonRow + 1), kHoverLessonRow + 1, lessonsUp)
        .click("DALEJ under why", kBoxButton, kHoverLessonOk, [&](Game& a) { return a.refusal.why == why; })
        .click("the lesson", spotOf(kHoverLessonRow + 2), kHoverLessonRow + 2,
               [](Game& a) { return a.refusal.why.empty() && a.buttonsShown == 6; })
        .then("its story", showing(Screen::Story), [&](Game& a) { EXPECT_EQ(a.lessonTitle, title); })
        .closeWindow();
    EXPECT_EQ(testing_support::play(game, script), 0);
}
