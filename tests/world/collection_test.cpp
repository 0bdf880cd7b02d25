// Taking tokens: which token may be taken when, what it scores, when "=" evaluates, the
// touch box's edges and the 19-entry bound of the collected sequence.
#include "support/temp_dir.h"
#include "world/rules_world.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

// Tokens laid out apart from each other, ten to a row; touch(i) puts the figure on token i
// alone and lets it take what it touches.
class Collection : public ::testing::Test {
protected:
    std::int32_t add(std::int32_t type) {
        const std::int32_t i = w->tokenCount++;
        w->tokens[i].x = 10 + 60 * (i % 10);
        w->tokens[i].y = 10 + 100 * (i / 10);
        w->tokens[i].type = type;
        w->tokens[i].active = true;
        return i;
    }
    void touch(std::int32_t i) {
        w->playerX = w->tokens[i].x;
        w->playerY = w->tokens[i].y - 20;
        w->collectTokens();
    }
    // Adds the tokens and touches them one after another; returns their indexes.
    std::vector<std::int32_t> take(std::initializer_list<std::int32_t> types) {
        std::vector<std::int32_t> indexes;
        for (std::int32_t t : types) indexes.push_back(add(t));
        for (std::int32_t i : indexes) touch(i);
        return indexes;
    }

    testing_support::TempDir dir;  // the trace goes here
    std::unique_ptr<GameWorld> w = rules_test::emptyWorld(ErrorReporter(kTraceFile));
};

TEST_F(Collection, EqualsEvaluatesACompleteSequence) {
    const auto idx = take({3, kTokenPlus, 4, kTokenEquals});
    EXPECT_EQ(w->result, 7);
    EXPECT_TRUE(w->levelOver);
    EXPECT_EQ(w->score, 25);
    EXPECT_TRUE(w->tokens[idx[3]].active);  // "=" stays in the level
    EXPECT_FALSE(w->tokens[idx[0]].active);
    EXPECT_FALSE(w->tokens[idx[1]].active);
    ASSERT_EQ(w->collectedCount, 3);
    EXPECT_EQ(w->collected[0], idx[0]);
    EXPECT_EQ(w->collected[1], idx[1]);
    EXPECT_EQ(w->collected[2], idx[2]);
    EXPECT_STREQ(w->expressionText, "3+4");
    EXPECT_EQ(dir.read("debug.txt"), "\nclear wynik\nkonwersja na char\n3+4obliczenie wyniku\nwynik: 7");
}

TEST_F(Collection, LongerSequencesAndMultiDigitNumbers) {
    take({3, kTokenPlus, 4, kTokenTimes, 5, kTokenEquals});
    EXPECT_EQ(w->result, 23);
    EXPECT_EQ(w->score, 5 + 15 + 5 + 15 + 5);

    w = rules_test::emptyWorld(ErrorReporter(kTraceFile));
    take({9, kTokenMinus, 1, 2, kTokenEquals});
    EXPECT_STREQ(w->expressionText, "9-12");
    EXPECT_EQ(w->result, -3);
    EXPECT_TRUE(w->levelOver);
}

TEST_F(Collection, IncompleteSequencesAreNotEvaluated) {
    // Digits only: "=" does nothing.
    const auto a = take({1, 2, kTokenEquals});
    EXPECT_FALSE(w->levelOver);
    EXPECT_EQ(w->collectedCount, 2);
    EXPECT_TRUE(w->tokens[a[2]].active);
    EXPECT_EQ(w->score, 10);

    // An operator first is not taken; nor is "=" first.
    w = rules_test::emptyWorld(ErrorReporter(kTraceFile));
    const auto b = take({kTokenPlus, kTokenEquals});
    EXPECT_TRUE(w->tokens[b[0]].active);
    EXPECT_EQ(w->collectedCount, 0);
    EXPECT_EQ(w->score, 0);
    EXPECT_FALSE(w->levelOver);

    // An operator behind an operator stays; "=" behind a trailing operator does nothing.
    w = rules_test::emptyWorld(ErrorReporter(kTraceFile));
    const auto c = take({3, kTokenPlus, kTokenMinus, kTokenEquals});
    EXPECT_TRUE(w->tokens[c[2]].active);
    EXPECT_EQ(w->collectedCount, 2);
    EXPECT_EQ(w->score, 20);
    EXPECT_FALSE(w->levelOver);
    EXPECT_FALSE(dir.exists("debug.txt"));  // nothing was evaluated in any of these
}

TEST_F(Collection, TokensThatReadOddlyKeepTheirReading) {
    // A type of 0 or below counts as a digit, scores 5 and is written "?", where the reader
    // stops; one above 14 evaluates as "=" does; ten digits that make 2^32 read as 0, a
    // divisor that ends the evaluation.
    struct Case {
        std::vector<std::int32_t> types;
        const char* text;
        std::int32_t result;
        std::int32_t score;
        std::int32_t equals = kTokenEquals;  // touched last
    };
    for (const Case& c : {Case{{0, kTokenPlus, 4}, "?+4", 0, 25}, Case{{5, kTokenPlus, -3}, "5+?", 5, 25},
                          Case{{3, kTokenPlus, 4}, "3+4", 7, 25, 99},
                          Case{{7, kTokenDivide, 4, 2, 9, 4, 9, 6, 7, 2, 9, 6, kTokenPlus, 1}, "7/4294967296+1", 7, 90}}) {
        w = rules_test::emptyWorld(ErrorReporter(kTraceFile));
        for (std::int32_t t : c.types) touch(add(t));
        touch(add(c.equals));
        EXPECT_STREQ(w->expressionText, c.text);
        EXPECT_EQ(w->result, c.result) << c.text;
        EXPECT_EQ(w->score, c.score) << c.text;
    }
}

TEST_F(Collection, OperatorBehindACompleteSequenceExtendsIt) {
    const auto idx = take({3, kTokenPlus, 4, kTokenTimes});
    EXPECT_FALSE(w->tokens[idx[3]].active);
    EXPECT_EQ(w->score, 40);
    EXPECT_EQ(w->collectedCount, 4);
    EXPECT_FALSE(w->levelOver);
}

TEST_F(Collection, APassEndsWhereTheExpressionIsEvaluated) {
    // All six touch the figure at once and are looked at in index order in one pass: "="
    // evaluates 3+4 and ends the pass, so the "*" and the 5 after it stay in the level.
    for (std::int32_t t : {3, 10, 4, 14, 12, 5}) {
        const std::int32_t i = add(t);
        w->tokens[i].x = 100;
        w->tokens[i].y = 100;
    }
    w->playerX = 100;
    w->playerY = 80;
    w->collectTokens();
    EXPECT_TRUE(w->levelOver);
    EXPECT_EQ(w->collectedCount, 3);
    EXPECT_STREQ(w->expressionText, "3+4");
    EXPECT_EQ(w->result, 7);
    EXPECT_EQ(w->score, 25);
    EXPECT_TRUE(w->tokens[4].active);
    EXPECT_TRUE(w->tokens[5].active);
    const std::string trace = dir.read("debug.txt");
    EXPECT_EQ(trace.find("wynik: "), trace.rfind("wynik: "));  // evaluated once
}

TEST_F(Collection, TouchBoxEdges) {
    // The box is 8 x 8 at (x + 12, y + 12); the figure 43 x 66 at (100, 100). Sideways it need
    // only overlap; up and down it must lie strictly inside.
    struct Case {
        std::int32_t boxX, boxY;
        bool touched;
    };
    const Case cases[] = {
        {92, 120, false},  {93, 120, true},   // box right edge at / past the figure's left
        {143, 120, false}, {142, 120, true},  // box left edge at / before the figure's right
        {120, 100, false}, {120, 101, true},  // box top on the figure's top line / below it
        {120, 158, false}, {120, 157, true},  // box bottom on the figure's bottom line / above
    };
    for (const Case& c : cases) {
        w = rules_test::emptyWorld(ErrorReporter(kTraceFile));
        const std::int32_t i = add(5);
        w->tokens[i].x = c.boxX - 12;
        w->tokens[i].y = c.boxY - 12;
        w->playerX = 100;
        w->playerY = 100;
        w->collectTokens();
        EXPECT_EQ(!w->tokens[i].active, c.touched) << "box at " << c.boxX << "," << c.boxY;
        EXPECT_EQ(w->collectedCount, c.touched ? 1 : 0);
    }
}

TEST_F(Collection, SequenceStopsAtNineteenEntries) {
    // Twenty digits: the twentieth stays in the level and scores nothing.
    std::vector<std::int32_t> idx;
    for (int k = 0; k < 20; ++k) idx.push_back(add(1));
    for (std::int32_t i : idx) touch(i);
    EXPECT_EQ(w->collectedCount, 19);
    EXPECT_EQ(w->score, 19 * 5);
    EXPECT_TRUE(w->tokens[idx[19]].active);

    // 1+1+...+1 with 19 entries: a further operator is refused without ending the level, and
    // "=" still evaluates the full text with its terminating zero in place.
    w = rules_test::emptyWorld(ErrorReporter(kTraceFile));
    for (int k = 0; k < 19; ++k) touch(add(k % 2 == 0 ? 1 : kTokenPlus));
    ASSERT_EQ(w->collectedCount, 19);
    const std::int32_t extra = add(kTokenTimes);
    touch(extra);
    EXPECT_TRUE(w->tokens[extra].active);
    EXPECT_FALSE(w->levelOver);
    EXPECT_EQ(w->collectedCount, 19);
    touch(add(kTokenEquals));
    EXPECT_TRUE(w->levelOver);
    EXPECT_EQ(w->result, 10);
    EXPECT_STREQ(w->expressionText, "1+1+1+1+1+1+1+1+1+1");
    EXPECT_EQ(w->expressionText[19], '\0');
}

}  // namespace
