// The proof of a level, with the source line each verdict names: a fair level with its winning
// sum, a token out of reach, a trap, a board number the tokens cannot make, and a level of so
// many tokens that the search must give its verdict within its bounds.
#include "lessons/proof.h"
#include "lessons/level_text.h"
#include "lessons/solver.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Lines 1..4 the header, 5..18 the grid (rows 0..13), tokens from line 19.
std::string level(const std::string& board, const std::string& start, const std::vector<std::string>& lowRows,
                  const std::string& tokens) {
    std::string text = "background t.bmp\nboard " + board + " 300 58\nstart " + start + "\ngrid\n";
    for (std::size_t r = lowRows.size(); r < 14; ++r) text += "X..................X\n";
    for (const std::string& row : lowRows) text += row + "\n";
    return text + tokens;
}

struct Verdict {
    bool fair;
    std::string sum;
    std::vector<std::string> problems;
};

Verdict prove(const std::string& text) {
    lvl::LevelSource source;
    std::vector<lvl::Problem> problems;
    EXPECT_TRUE(lvl::readLevelText(text, "t.txt", nullptr, source, problems));
    const solver::Proof proof = solver::proveLevel(source, "t.txt", problems);
    Verdict v{proof.fair, proof.sum, {}};
    for (const lvl::Problem& p : problems) v.problems.push_back(p.format(lvl::Language::English));
    return v;
}

TEST(Proof, VerdictsNameTheirLines) {
    testing_support::TempDir dir;  // the route finder's trace
    const std::string floor = "X##################X";
    const std::string sum = "bonus 3 5 12\nbonus + 8 12\nbonus 4 11 12\nbonus = 15 12\n";

    const Verdict fair = prove(level("7", "2 12", {floor}, sum));
    EXPECT_TRUE(fair.fair);
    EXPECT_EQ(fair.sum, "3+4");

    EXPECT_EQ(prove(level("8", "2 12", {floor}, sum)).problems,
              std::vector<std::string>{"t.txt:2: no sum of this level's tokens makes 8"});
    EXPECT_EQ(prove(level("7", "2 12", {floor}, "bonus 3 5 12\nbonus + 8 12\nbonus 4 11 5\nbonus = 15 12\n")).problems,
              std::vector<std::string>{"t.txt:21: the token \"4\" can never be reached from the start"});
    const Verdict trap = prove(
        level("7", "2 8", {"X#####.............X", "X..................X", "X..................X", "X..................X", floor},
              "bonus 3 4 8\nbonus + 8 12\nbonus 4 11 12\nbonus = 15 12\n"));
    ASSERT_EQ(trap.problems.size(), 1u);
    EXPECT_TRUE(trap.problems[0].starts_with("t.txt:17: a trap: once the hero is at column ")) << trap.problems[0];
    EXPECT_TRUE(trap.problems[0].ends_with(", row 12 it can no longer reach \"3\" (line 19)")) << trap.problems[0];
    EXPECT_FALSE(trap.fair);
}

TEST(Proof, ALevelOfManyTokensGetsAVerdict) {
    testing_support::TempDir dir;
    std::string tokens;
    for (int c = 2; c <= 18; ++c) tokens += "bonus " + std::to_string(1 + c % 9) + " " + std::to_string(c) + " 10\n";
    for (int c = 2; c <= 11; ++c) tokens += "bonus " + std::to_string(1 + c % 9) + " " + std::to_string(c) + " 8.5\n";
    tokens += "bonus + 14 8.5\nbonus = 18 12\n";
    const Verdict v = prove(level("9999", "1 12", {"X##################X"}, tokens));
    EXPECT_FALSE(v.fair);
    EXPECT_EQ(v.problems, std::vector<std::string>{"t.txt:2: no route was found that makes 9999 and reaches \"=\" with it"});
}

}  // namespace

// The checks judge a sum by the value the game gives it, its odd corners included: a divisor
// that wraps to 0 leaves the left operand, and long numbers are read as the game reads them.
TEST(Proof, SumsAreValuedAsTheGameValuesThem) {
    struct Row {
        const char* text;
        bool sum;
        std::int32_t value;
        bool exact;
    };
    const Row rows[] = {
        {"3+4*5", true, 23, true},
        {"7/2+1", true, 4, false},
        {"8/4294967296", true, 8, true},
        {"1+6/4294967296*7", true, 49, true},
        {"12345678912345679+1", true, 1578423889, true},
        {"3+", false, 0, true},
        {"+3", false, 0, true},
    };
    for (const Row& r : rows) {
        std::int32_t value = 0;
        bool exact = true;
        EXPECT_EQ(solver::evaluate(r.text, value, &exact), r.sum) << r.text;
        if (!r.sum) continue;
        EXPECT_EQ(value, r.value) << r.text;
        EXPECT_EQ(exact, r.exact) << r.text;
    }
}
