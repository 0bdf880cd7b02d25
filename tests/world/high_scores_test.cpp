// The high-score table: where a score goes in, the 120-byte file byte for byte, short files,
// a missing file, a save that puts its row into the table another game changed meanwhile, and
// a save that fails (a full disk) leaving the old file whole and trying again at the next.
#include "support/temp_dir.h"
#include "world/rules_world.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using rules_test::emptyWorld;

void setRow(GameWorld& w, int row, std::int32_t score, const char* name) {
    w.hiScores[row] = score;
    std::memset(w.hiNames[row], 0, kNameLength);
    std::memcpy(w.hiNames[row], name, std::min<std::size_t>(std::strlen(name), kNameLength));
}
std::string nameOf(const GameWorld& w, int row) { return std::string(w.hiNames[row], strnlen(w.hiNames[row], kNameLength)); }
// The names in the folder, sorted.
std::vector<std::string> namesIn(const testing_support::TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(HighScores, InsertionFindsTheRowBelowEqualScores) {
    auto w = emptyWorld();
    setRow(*w, 0, 500, "ALA");
    setRow(*w, 1, 400, "OLEK");
    setRow(*w, 2, 300, "EWA");
    w->score = 400;
    w->insertHighScore();
    EXPECT_EQ(w->entryRow, 2);
    EXPECT_EQ(w->hiScores[1], 400);
    EXPECT_EQ(nameOf(*w, 1), "OLEK");
    EXPECT_EQ(w->hiScores[2], 400);
    EXPECT_EQ(nameOf(*w, 2), "");
    EXPECT_EQ(w->hiScores[3], 300);
    EXPECT_EQ(nameOf(*w, 3), "EWA");
    EXPECT_EQ(w->hiScores[4], 0);

    // A full table whose tenth score is 100: 100 does not enter, 101 replaces row 9 alone.
    auto full = emptyWorld();
    for (int row = 0; row < kHighScoreRows; ++row) setRow(*full, row, 1000 - 100 * row, "ABCDEFGH");
    full->score = 100;
    full->insertHighScore();
    EXPECT_EQ(full->entryRow, -1);
    EXPECT_EQ(full->hiScores[9], 100);
    EXPECT_EQ(nameOf(*full, 9), "ABCDEFGH");
    full->score = 101;
    full->insertHighScore();
    EXPECT_EQ(full->entryRow, 9);
    EXPECT_EQ(full->hiScores[9], 101);
    EXPECT_EQ(nameOf(*full, 9), "");
    EXPECT_EQ(full->hiScores[8], 200);
    EXPECT_EQ(nameOf(*full, 8), "ABCDEFGH");

    // Nothing beats an empty table with 0 or less.
    auto empty = emptyWorld();
    empty->score = 0;
    empty->insertHighScore();
    empty->score = -5;
    empty->insertHighScore();
    EXPECT_EQ(empty->entryRow, -1);
    EXPECT_EQ(empty->hiScores[0], 0);
}

TEST(HighScores, FileRoundTripKeepsTheByteLayout) {
    testing_support::TempDir dir;
    auto w = emptyWorld();
    setRow(*w, 0, 0x01020304, "ABCDEFGH");  // eight letters: no terminating zero
    setRow(*w, 1, -2, "ZOSIA");
    setRow(*w, 9, 7, "A B");
    ASSERT_TRUE(w->writeHighScores());

    std::string expected(120, '\0');
    const char scores[] = {4, 3, 2, 1, '\xfe', '\xff', '\xff', '\xff'};
    std::memcpy(expected.data(), scores, sizeof scores);
    expected[36] = 7;
    std::memcpy(expected.data() + 40, "ABCDEFGH", 8);
    std::memcpy(expected.data() + 48, "ZOSIA", 5);
    std::memcpy(expected.data() + 112, "A B", 3);
    EXPECT_EQ(dir.read("hiscore.tbl"), expected);
    EXPECT_EQ(namesIn(dir), std::vector<std::string>{"hiscore.tbl"});

    auto back = emptyWorld();
    back->clearHighScores();
    ASSERT_TRUE(back->loadHighScores());
    EXPECT_EQ(std::memcmp(back->hiScores, w->hiScores, sizeof w->hiScores), 0);
    EXPECT_EQ(std::memcmp(back->hiNames, w->hiNames, sizeof w->hiNames), 0);

    // A stale temporary file of an earlier version's crash is neither in the way nor touched.
    dir.write("hiscore.tbl.tmp", "junk");
    w->hiScores[2] = 5;
    ASSERT_TRUE(w->writeHighScores());
    EXPECT_EQ(dir.read("hiscore.tbl")[8], 5);
    EXPECT_EQ(dir.read("hiscore.tbl").size(), 120u);
    EXPECT_EQ(dir.read("hiscore.tbl.tmp"), "junk");
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"hiscore.tbl", "hiscore.tbl.tmp"}));
}

TEST(HighScores, ShortFileIsReadAsFarAsItGoes) {
    testing_support::TempDir dir;
    std::string bytes(60, '\0');
    for (int i = 0; i < 60; ++i) bytes[i] = static_cast<char>('A' + i % 26);
    dir.write("hiscore.tbl", bytes);

    auto w = emptyWorld();
    w->clearHighScores();
    w->hiNames[2][5] = 'Q';  // bytes the file does not reach keep their value
    ASSERT_TRUE(w->loadHighScores());
    EXPECT_EQ(w->hiScores[0], 0x44434241);                             // "ABCD", little-endian
    EXPECT_EQ(w->hiScores[9], static_cast<std::int32_t>(0x4E4D4C4B));  // bytes 36..39: "KLMN"
    EXPECT_EQ(std::string(w->hiNames[0], 8), bytes.substr(40, 8));
    EXPECT_EQ(std::string(w->hiNames[1], 8), bytes.substr(48, 8));
    EXPECT_EQ(std::string(w->hiNames[2], 4), bytes.substr(56, 4));
    EXPECT_EQ(w->hiNames[2][4], '\0');
    EXPECT_EQ(w->hiNames[2][5], 'Q');
    for (int row = 3; row < kHighScoreRows; ++row) EXPECT_EQ(nameOf(*w, row), "") << row;

    // Six bytes: the first score and the low half of the second.
    dir.write("hiscore.tbl", std::string("\x01\x00\x00\x00\x02\x03", 6));
    w->clearHighScores();
    w->hiScores[1] = 0x7F7F7F7F;
    ASSERT_TRUE(w->loadHighScores());
    EXPECT_EQ(w->hiScores[0], 1);
    EXPECT_EQ(w->hiScores[1], 0x7F7F0302);
    EXPECT_EQ(w->hiScores[2], 0);
}

TEST(HighScores, MissingFileIsCreatedEmpty) {
    testing_support::TempDir dir;
    auto w = emptyWorld();
    w->clearHighScores();
    EXPECT_FALSE(w->loadHighScores());
    w->saveHighScores();  // what the start-up does next
    EXPECT_EQ(dir.read("hiscore.tbl"), std::string(120, '\0'));
}

// A name typed while another game saved its own: the save puts the row into the table on disk
// as it is now, and the game shows that table.
TEST(HighScores, ASaveKeepsWhatAnotherGameSavedMeanwhile) {
    testing_support::TempDir dir;
    auto anna = emptyWorld();
    auto bob = emptyWorld();
    for (GameWorld* w : {anna.get(), bob.get()}) {  // the start-up of each
        w->clearHighScores();
        if (!w->loadHighScores()) {
            ASSERT_TRUE(w->saveHighScores());
        }
    }
    const auto enter = [](GameWorld& w, std::int32_t score, const char* name) {
        w.score = score;
        w.insertHighScore();
        std::memcpy(w.hiNames[w.entryRow], name, std::strlen(name));
        return w.finishNameEntry();
    };
    ASSERT_TRUE(enter(*anna, 200, "ANNA"));
    ASSERT_TRUE(enter(*bob, 300, "BOB"));
    ASSERT_TRUE(enter(*anna, 300, "ANNA"));  // equal to BOB's: below it
    for (const GameWorld* w : {anna.get(), bob.get()}) EXPECT_EQ(nameOf(*w, 0), "BOB");
    EXPECT_EQ(nameOf(*anna, 1), "ANNA");
    EXPECT_EQ(anna->hiScores[2], 200);
    auto disk = emptyWorld();
    ASSERT_EQ(disk->readHighScores(), 0);
    EXPECT_EQ(std::memcmp(disk->hiScores, anna->hiScores, sizeof disk->hiScores), 0);
    EXPECT_EQ(std::memcmp(disk->hiNames, anna->hiNames, sizeof disk->hiNames), 0);
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"hiscore.tbl", "hiscore.tbl.lock"}));
}

TEST(HighScores, AFailedSaveLeavesTheOldFileWholeAndTheNextSaveKeepsTheName) {
    testing_support::TempDir dir;
    std::string old(120, '\0');
    old[0] = 42;
    std::memcpy(old.data() + 40, "STARY", 5);
    dir.write("hiscore.tbl", old);

    auto w = emptyWorld(ErrorReporter(kTraceFile));
    w->clearHighScores();
    ASSERT_TRUE(w->loadHighScores());
    w->score = 999;
    w->insertHighScore();
    std::memcpy(w->hiNames[0], "NOWY", 4);

    // The disk fills up after 100 bytes: the new file cannot take the table.
    struct rlimit limit = {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit full = limit;
    full.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &full), 0);
    testing::internal::CaptureStderr();
    const bool saved = w->finishNameEntry();
    const std::string said = testing::internal::GetCapturedStderr();
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousSignal);

    EXPECT_FALSE(saved);
    EXPECT_NE(said.find("could not be saved in hiscore.tbl"), std::string::npos) << said;  // cut by the full disk too
    EXPECT_EQ(dir.read("hiscore.tbl"), old);
    // No half-written file is left.
    EXPECT_EQ(namesIn(dir), (std::vector<std::string>{"debug.txt", "hiscore.tbl", "hiscore.tbl.lock"}));
    EXPECT_EQ(w->entryRow, -1);
    // The game goes on showing the name, and saves it with the next one.
    EXPECT_EQ(nameOf(*w, 0), "NOWY");
    EXPECT_EQ(nameOf(*w, 1), "STARY");
    EXPECT_NE(dir.read("debug.txt").find("zapis tabeli wynik\xf3w nieudany"), std::string::npos);
    w->score = 50;
    w->insertHighScore();
    ASSERT_TRUE(w->finishNameEntry());
    EXPECT_EQ(w->unsavedCount, 0);
    auto disk = emptyWorld();
    ASSERT_EQ(disk->readHighScores(), 0);
    EXPECT_EQ(nameOf(*disk, 0), "NOWY");
    EXPECT_EQ(disk->hiScores[1], 50);
    EXPECT_EQ(nameOf(*disk, 2), "STARY");
}

}  // namespace
