// The class folder and who plays: class.txt's names and its mistakes as file:line, the choice,
// where the class folder setting comes from, and a records folder that cannot be used.
#include "records/class_folder.h"
#include "records/class_list.h"
#include "records/game_records.h"
#include "records/record_reader.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>

namespace fs = std::filesystem;

namespace {

// Sets environment variables for the test's span and gives the old values back.
class Environment {
public:
    void set(const char* name, const std::optional<std::string>& value) {
        if (!saved_.contains(name)) {
            const char* was = std::getenv(name);
            saved_[name] = was != nullptr ? std::optional<std::string>(was) : std::nullopt;
        }
        if (value) ::setenv(name, value->c_str(), 1);
        else ::unsetenv(name);
    }
    ~Environment() {
        for (const auto& [name, value] : saved_) set(name.c_str(), value);
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

std::string said(const std::vector<lvl::Problem>& problems) {
    std::string out;
    for (const lvl::Problem& p : problems) out += p.format(lvl::Language::English) + "\n";
    return out;
}

}  // namespace

TEST(ClassList, NamesOneALineAndEachBadLineSaidWhereItIs) {
    struct Case {
        std::string text;
        std::vector<std::string> names;
        std::string problems;
    } cases[] = {
        {"\xEF\xBB\xBF# klasa 2b\r\n  Ania Nowak \r\n\n\tŻaneta\nBartek", {"Ania Nowak", "Żaneta", "Bartek"}, ""},
        {"Ania\nOla\nAnia\n", {"Ania", "Ola"}, "class.txt:3: \"Ania\" is already on line 1\n"},
        {"Ola\nZ\xF3\xB3sia\n", {"Ola"}, "class.txt:2: the line is not UTF-8 text: save the file as UTF-8\n"},
        {"\xC0\xAF\n\xED\xA0\x80\nab\xC3",
         {},
         "class.txt:1: the line is not UTF-8 text: save the file as UTF-8\n"
         "class.txt:2: the line is not UTF-8 text: save the file as UTF-8\n"
         "class.txt:3: the line is not UTF-8 text: save the file as UTF-8\n"},
        {"Ania\tNowak\n", {}, "class.txt:1: the name holds a control character (a tab?)\n"},
        {std::string(40, 'a') + "\n" + std::string(41, 'b') + "\n" + "ż" + std::string(39, 'c'),
         {std::string(40, 'a'), "ż" + std::string(39, 'c')},
         "class.txt:2: the name is longer than 40 characters\n"},
    };
    for (const Case& c : cases) {
        std::vector<lvl::Problem> problems;
        EXPECT_EQ(records::readClassText(c.text, "class.txt", problems), c.names) << c.text;
        EXPECT_EQ(said(problems), c.problems) << c.text;
    }
}

TEST(ClassList, TheAccountsOwnNameIsChosenUntilAChildChooses) {
    records::PlayerChoice lab({"Ania", "Bartek"}, "bartek");
    EXPECT_EQ(lab.chosen(), std::optional<std::size_t>(1));
    EXPECT_EQ(lab.player(), "Bartek");
    records::PlayerChoice shared({"Ania", "Bartek"}, "uczen");
    EXPECT_FALSE(shared.chosen());
    EXPECT_EQ(shared.player(), "uczen");
    EXPECT_FALSE(shared.choose(2));
    EXPECT_TRUE(shared.choose(0));
    EXPECT_EQ(shared.player(), "Ania");
    EXPECT_FALSE(records::accountName().empty());
}

TEST(ClassFolder, TheOptionThenTheVariableThenTheXdgSettingFiles) {
    testing_support::TempDir dir;
    Environment env;
    const fs::path home = dir.path() / "home";
    const fs::path system = dir.path() / "etc";
    fs::create_directories(home / "kalkulon");
    fs::create_directories(system / "kalkulon");
    dir.write("etc/kalkulon/class-folder", "# the school's share\n/srv/szkola/2b\n");
    env.set("HOME", (dir.path() / "nohome").string());
    env.set("XDG_CONFIG_HOME", home.string());
    env.set("XDG_CONFIG_DIRS", "relative/etc:" + system.string());
    env.set("KALKULON_CLASS", "/srv/env");
    std::vector<lvl::Text> notes;
    EXPECT_EQ(records::findClassFolder("/srv/option", notes).folder, "/srv/option");
    EXPECT_EQ(records::findClassFolder({}, notes).from, "KALKULON_CLASS");
    env.set("KALKULON_CLASS", "klasa");  // relative: said, and no class folder
    EXPECT_TRUE(records::findClassFolder({}, notes).folder.empty());
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].en.find("not an absolute path"), std::string::npos);
    env.set("KALKULON_CLASS", std::nullopt);
    EXPECT_EQ(records::findClassFolder({}, notes).folder, "/srv/szkola/2b");  // the relative XDG folder skipped
    dir.write("home/kalkulon/class-folder", "\n  klasa-2b\n");
    EXPECT_TRUE(records::findClassFolder({}, notes).folder.empty());  // the user's file comes first
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[1].en, (home / "kalkulon/class-folder").string() +
                               ":2: the class folder must be an absolute path (starting with /): klasa-2b");
    env.set("XDG_CONFIG_HOME", "relative");  // ignored: ~/.config, which has no setting, then the system's
    EXPECT_EQ(records::findClassFolder({}, notes).folder, "/srv/szkola/2b");
}

TEST(ClassFolder, ARecordsFolderThatCannotBeUsedIsSaid) {
    testing_support::TempDir dir;
    fs::path records;
    lvl::Text error;
    EXPECT_FALSE(records::prepareRecordsFolder(dir.path() / "missing", records, error));
    EXPECT_NE(error.en.find("is missing or no folder"), std::string::npos) << error.en;
    fs::create_directory(dir.path() / "klasa");
    dir.write("klasa/records", "a file where the folder should be");
    EXPECT_FALSE(records::prepareRecordsFolder(dir.path() / "klasa", records, error));
    EXPECT_NE(error.en.find("records cannot be written in"), std::string::npos) << error.en;
    fs::create_directory(dir.path() / "klasa2");
    EXPECT_TRUE(records::prepareRecordsFolder(dir.path() / "klasa2", records, error));
    EXPECT_EQ(records, dir.path() / "klasa2" / "records");
    EXPECT_TRUE(fs::is_empty(records));  // the probe is gone
}

// What the game is told of its class folder: one that takes records holds the class's table and
// the records carry the child chosen; one that cannot be written (records/ a file, or no folder
// at all) leaves the table to the game and says so, its names still offered.
TEST(ClassFolder, TheGameSeesTheClassTableOrAFolderThatCannotBeWritten) {
    testing_support::TempDir dir;
    Environment env;
    env.set("XDG_DATA_HOME", (dir.path() / "data").string());
    for (const char* folder : {"2b", "3c"}) {
        fs::create_directory(dir.path() / folder);
        dir.write(std::string(folder) + "/class.txt", "Ala\nOla\n");
    }
    dir.write("3c/records", "a file where the folder should be");
    const struct {
        std::string folder;
        bool unwritable;
        std::size_t names;
    } cases[] = {{"2b", false, 2}, {"3c", true, 2}, {"4d", true, 0}};
    for (const auto& c : cases) {
        fs::path written;
        {
            testing::internal::CaptureStderr();
            records::GameRecords game(dir.path() / c.folder, "", lvl::Language::English);
            const std::string stderrText = testing::internal::GetCapturedStderr();
            EXPECT_EQ(game.unwritable(), c.unwritable) << c.folder;
            EXPECT_EQ(game.names().size(), c.names) << c.folder;
            EXPECT_EQ(game.tableFolder(), c.unwritable ? "" : (dir.path() / c.folder).string()) << c.folder;
            EXPECT_EQ(stderrText.find("the high scores in the game's own table") != std::string::npos, c.unwritable)
                << stderrText;
            if (c.names == 0) continue;
            game.choose(1);
            game.observer()->levelStarted(1, 3, 0);
            game.observer()->gameEnded(GameEnd::Left, 0);
            written = game.folder();
        }  // the writer closes its file
        records::RecordSet set;
        lvl::Text error;
        ASSERT_TRUE(records::readRecords(written, set, error)) << error.en;
        ASSERT_FALSE(set.records.empty());
        EXPECT_EQ(set.records.back().child, "Ola") << c.folder;
    }
}
