// The answers of a set of tokens: every sum the collection rules let a child build that makes
// the board's number, gathered into facts (the same numbers and signs in any order are one).
#include "lessons/answers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

lessons::TokenCounts tokens(const std::string& symbols) {
    lessons::TokenCounts counts{};
    for (char c : symbols) ++counts[static_cast<std::size_t>(tokenType(c))];
    return counts;
}

TEST(Answers, EverySumThatMakesTheNumberIsListedOnceAFact) {
    const struct {
        const char* tokens;
        std::int32_t board;
        std::vector<std::string> answers;
    } cases[] = {
        {"138-", 5, {"13-8", "8-3"}},           // the other difference of the same tokens
        {"24*6-", 2, {"2*4-6", "4-2", "6-4"}},  // order of operations won by a part of it
        {"1119+", 20, {"11+9", "19+1"}},        // the same digits as other numbers
        {"328/", 4, {"32/8", "8/2"}},
        {"34+", 7, {"3+4"}},                                      // 4+3 is the same fact
        {"2346*/", 4, {"24/6", "2*6/3", "3*6/4", "3/2*4"}},       // the game's division drops the rest
        {"1223//", 2, {"12/2/3", "2/1", "32/12"}},                // 12/3/2 is 12/2/3
        {"55+", 55, {}},                                          // a number alone is no sum
        {"11111111111+++++++++++", 10, {"1+1+1+1+1+1+1+1+1+1"}},  // 19 symbols: the longest taken
        {"11111111111++++++++++", 11, {}},                        // 21 symbols: never taken whole
    };
    for (const auto& c : cases) {
        const lessons::Answers answers = lessons::answersOf(tokens(c.tokens), c.board);
        EXPECT_TRUE(answers.complete) << c.tokens;
        EXPECT_EQ(answers.sums, c.answers) << c.tokens << " = " << c.board;
    }
}

TEST(Answers, AFactIsItsNumbersAndSigns) {
    EXPECT_EQ(lessons::factOf("3+4"), lessons::factOf("4+3"));
    EXPECT_EQ(lessons::factOf("12/3/2"), lessons::factOf("12/2/3"));
    EXPECT_EQ(lessons::factOf("2*4-6"), lessons::factOf("4*2-6"));
    EXPECT_NE(lessons::factOf("13-8"), lessons::factOf("8-3"));
    EXPECT_NE(lessons::factOf("12+3"), lessons::factOf("21+3"));
}

TEST(Answers, ASearchTooLargeSaysSo) {
    const lessons::Answers answers = lessons::answersOf(tokens("123456789+-*/123456789"), 100, 10'000);
    EXPECT_FALSE(answers.complete);
}

}  // namespace
