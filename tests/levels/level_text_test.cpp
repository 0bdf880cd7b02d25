// The level source reader: every kind of mistake named with its file and line, all of them in
// one reading, in English and Polish; and a source written back reads as the same level.
#include "lessons/level_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include <string>
#include <vector>

namespace {

const std::vector<lvl::Scenery> kInstalled = {{"laka.bmp", 304, 58, 1}, {"piasek.bmp", 300, 58, 2}};

// Lines 1..23: title, background, board, start, grid (5), 14 rows (6..19), four tokens.
std::vector<std::string> goodLines() {
    std::vector<std::string> l = {"title Dodawanie", "background laka.bmp", "board 7 304 58", "start 2 12", "grid"};
    for (int r = 0; r < 12; ++r) l.push_back("X..................X");
    l.push_back("X..............####X");
    l.push_back("X##################X");
    for (const char* t : {"bonus 3 5 12", "bonus + 8 12", "bonus 4 11 12", "bonus = 17 11"}) l.push_back(t);
    return l;
}

std::string join(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) s += l + "\n";
    return s;
}

std::vector<std::string> read(const std::string& text, bool lesson = true, lvl::Language language = lvl::Language::English) {
    lvl::LevelSource source;
    std::vector<lvl::Problem> problems;
    lvl::readLevelText(text, "t.txt", lesson ? &kInstalled : nullptr, source, problems);
    std::vector<std::string> out;
    for (const lvl::Problem& p : problems) out.push_back(p.format(language));
    return out;
}

struct Broken {
    const char* what;
    int line;             // the line to change (1-based); 0 appends
    const char* text;     // its new text; nullptr deletes it
    const char* message;  // the one message it must give; nullptr: the end of a range, accepted
};

TEST(LevelText, EveryMistakeIsNamedWithItsLine) {
    const Broken cases[] = {
        {"unknown word", 20, "jump 3",
         "t.txt:20: unknown word \"jump\": a line starts with title, note, background, board, start, blocks, grid or bonus"},
        {"a line of another file, not repeated", 20, "root:$6$Zq9xSECRET:19000:0:99999:7:::",
         "t.txt:20: unknown word \"…\": a line starts with title, note, background, board, start, blocks, grid or bonus"},
        {"short grid row", 18, "X.................X", "t.txt:18: a grid row has 20 cells; this one has 19"},
        {"unknown cell", 10, "X.........k........X", "t.txt:10: unknown cell \"k\" in column 10: use . # X = O"},
        {"unknown cell of two bytes", 10, "X........ą........X", "t.txt:10: unknown cell \"ą\" in column 9: use . # X = O"},
        {"13 rows", 7, nullptr, "t.txt:5: the grid has 13 rows; it needs 14"},
        {"15 rows", 20, "X..................X", "t.txt:20: more than 14 grid rows: the grid has 14 rows of 20 cells"},
        {"token left of the grid", 20, "bonus 3 0 12",
         "t.txt:20: the token \"3\" at column 0, row 12 lies outside the play area"},
        {"token below the grid", 20, "bonus 3 5 13.5",
         "t.txt:20: the token \"3\" at column 5, row 13.5 lies outside the play area"},
        {"token inside a block", 20, "bonus 3 5 13", "t.txt:20: the token \"3\" at column 5, row 13 lies inside a block"},
        {"token in a wall", 20, "bonus 3 0.5 5", "t.txt:20: the token \"3\" at column 0.5, row 5 lies inside a block"},
        {"unknown token", 20, "bonus 0 5 12", "t.txt:20: unknown token \"0\": use 1 to 9, + - * / or ="},
        {"two-letter token", 20, "bonus 12 5 12", "t.txt:20: unknown token \"12\": use 1 to 9, + - * / or ="},
        {"a word that cannot follow", 3, "board 7 304 58 x",
         "t.txt:3: \"x\" cannot follow here: NUMBER, and perhaps where it is written (X Y)"},
        {"a sign that cannot follow", 20, "bonus 3 5 12 +", "t.txt:20: \"+\" cannot follow here: SYMBOL COLUMN ROW"},
        {"token needs its place", 20, "bonus 3 5", "t.txt:20: \"bonus\" needs: SYMBOL COLUMN ROW"},
        {"board half a place", 3, "board 7 304", "t.txt:3: \"board\" needs both X and Y, or neither"},
        {"no =", 23, nullptr, "t.txt:22: no \"=\" token: the sum can never be checked"},
        {"no board", 3, nullptr, "t.txt:22: no \"board\" line: the number on the board is missing"},
        {"no start", 4, nullptr, "t.txt:22: no \"start\" line: the hero's start is missing"},
        {"second board", 0, "board 8", "t.txt:24: a second \"board\" line (the first is line 3)"},
        {"board not a number", 3, "board seven", "t.txt:3: \"seven\" is not a whole number"},
        {"board too large", 3, "board 10000", "t.txt:3: the board number must lie between -999 and 9999"},
        {"lowest board", 3, "board -999 304 58", nullptr},
        {"highest board", 3, "board 9999 304 58", nullptr},
        {"position not a number", 20, "bonus 3 five 12", "t.txt:20: \"five\" is not a cell position (a number such as 5 or 5.5)"},
        {"position with a comma", 20, "bonus 3 5,5 12", "t.txt:20: \"5,5\" is not a cell position (a number such as 5 or 5.5)"},
        {"background not installed", 2, "background plaza.bmp",
         "t.txt:2: there is no background \"plaza.bmp\": use laka.bmp, piasek.bmp"},
        {"background as a path", 2, "background ../../etc/x.bmp",
         "t.txt:2: \"../../etc/x.bmp\" is not a picture name: a background is one of the game's pictures, not a path"},
        {"background of other letters", 2, "background łąka.bmp",
         "t.txt:2: \"łąka.bmp\" is not a picture name: use letters, digits, \".\", \"_\" and \"-\""},
        {"board off its picture", 3, "board 7 300 58", "t.txt:3: the board of laka.bmp is at 304 58"},
        {"no such block picture", 0, "blocks 9", "t.txt:24: \"blocks\" takes a block picture number 1 to 7, not \"9\""},
        {"first block picture", 0, "blocks 1", nullptr},
        {"last block picture", 0, "blocks 7", nullptr},
        {"start in a block", 4, "start 2 13", "t.txt:4: the hero would start inside a block at column 2, row 13"},
        {"start beside the grid", 4, "start 25 12", "t.txt:4: the hero's start at column 25, row 12 lies outside the grid"},
        {"start one row below the top", 4, "start 2 1", nullptr},
        {"empty title", 1, "title", "t.txt:1: \"title\" needs a text"},
    };
    ASSERT_TRUE(read(join(goodLines())).empty()) << read(join(goodLines()))[0];
    for (const Broken& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> lines = goodLines();
        if (c.line == 0) lines.push_back(c.text);
        else if (c.text == nullptr) lines.erase(lines.begin() + (c.line - 1));
        else lines[static_cast<std::size_t>(c.line - 1)] = c.text;
        EXPECT_EQ(read(join(lines)), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    }
}

TEST(LevelText, EveryMistakeOfOneTextIsReportedInPolishToo) {
    std::vector<std::string> lines = goodLines();
    lines[2] = "board 7 304 58";
    lines[5] = "X...k..............X";
    lines[19] = "bonus 3 0 12";
    lines.push_back("skok");
    for (int i = 0; i < 30; ++i) lines.push_back("bonus 1 3 11");
    const std::vector<std::string> expected = {
        "t.txt:6: nieznane pole \"k\" w kolumnie 4: dozwolone . # X = O",
        "t.txt:24: nieznane słowo \"skok\": wiersz zaczyna się od title, note, background, board, start, blocks, grid lub bonus",
        "t.txt:51: więcej niż 30 żetonów",
        "t.txt:20: żeton \"3\" (kolumna 0, wiersz 12) leży poza planszą",
    };
    EXPECT_EQ(read(join(lines), true, lvl::Language::Polish), expected);
}

// The game's own levels give the board's place and may name any picture; lesson levels may
// not pick another block picture there.
TEST(LevelText, GameLevelsGiveTheBoardsPlace) {
    std::vector<std::string> lines = goodLines();
    lines[1] = "background nowe.bmp";
    lines[2] = "board 7 10 20";
    EXPECT_TRUE(read(join(lines), false).empty());
    lines[2] = "board 7";
    lines.push_back("blocks 2");
    EXPECT_EQ(
        read(join(lines), false),
        (std::vector<std::string>{"t.txt:3: \"board\" needs: NUMBER X Y (where the number is written)",
                                  "t.txt:24: \"blocks\" is for lesson levels: a level of the game uses its own block picture"}));
}

TEST(LevelText, WrittenSourceReadsBackAsTheSameLevel) {
    std::vector<std::string> lines = goodLines();
    lines[2] = "board 12";  // the place comes from the picture
    lines[3] = "start 2.5 12";
    lines.insert(lines.begin() + 1, "note Pierwsza lekcja # a comment");
    lines.push_back("bonus * 9.25 10.5");
    lines.push_back("blocks 6");
    lvl::LevelSource first, second;
    std::vector<lvl::Problem> problems;
    ASSERT_TRUE(lvl::readLevelText("\xEF\xBB\xBF" + join(lines), "t.txt", &kInstalled, first, problems));
    EXPECT_EQ(first.level.targetX, 304);
    EXPECT_EQ(first.notes, std::vector<std::string>{"Pierwsza lekcja"});
    const std::string written = lvl::writeLevelText(first);
    ASSERT_TRUE(lvl::readLevelText(written, "w.txt", &kInstalled, second, problems)) << written;
    EXPECT_EQ(second.title, "Dodawanie");
    EXPECT_EQ(second.notes, first.notes);
    EXPECT_EQ(second.level.tokens, first.level.tokens);
    EXPECT_EQ(second.level.tokens.back(), (lvl::Token{9 * 32 + 8 - 1, 10 * 32 + 16 - 1, kTokenTimes}));
    EXPECT_EQ(second.level.playerX, first.level.playerX);
    EXPECT_EQ(second.level.blockSheet, 6);
    EXPECT_EQ(std::memcmp(second.level.cells, first.level.cells, sizeof first.level.cells), 0);
}

}  // namespace
