// The value of a collected expression: the worked examples, the corner cases of the number
// reader and the 32-bit arithmetic, and random sequences checked end to end (taking the
// tokens, building the text, evaluating) against a separate reference evaluation.
#include "support/temp_dir.h"
#include "world/rules_world.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using rules_test::emptyWorld;

std::int32_t evaluate(GameWorld& w, const char* text) {
    w.clearExpression();
    std::strncpy(w.expressionText, text, sizeof w.expressionText - 1);
    return w.parseExpression(0);
}

struct NumberRead {
    std::int32_t value;
    std::int32_t cursor;
};
NumberRead readNumber(GameWorld& w, const char* text) {
    w.clearExpression();
    std::strncpy(w.expressionText, text, sizeof w.expressionText - 1);
    const std::int32_t v = w.parseNumber();
    return {v, w.parseCursor};
}

TEST(Expression, WorkedExamples) {
    auto w = emptyWorld();
    EXPECT_EQ(evaluate(*w, "3+4*5"), 23);
    EXPECT_EQ(evaluate(*w, "8-3-2"), 3);  // left association
    EXPECT_EQ(evaluate(*w, "8/4/2"), 1);
    EXPECT_EQ(evaluate(*w, "7/2"), 3);    // truncation
    EXPECT_EQ(evaluate(*w, "9-12"), -3);  // two digits are one number
    EXPECT_EQ(evaluate(*w, "12*3"), 36);
    EXPECT_EQ(evaluate(*w, "-3*4"), -12);  // a leading sign applies to the product
    EXPECT_EQ(evaluate(*w, "-3+4"), 1);
    EXPECT_EQ(evaluate(*w, "8/0+1"), 8);  // zero divisor: the left operand, the rest unread
    EXPECT_EQ(evaluate(*w, "2)+5"), 2);   // a stray ")" ends the expression
    EXPECT_EQ(evaluate(*w, ""), 0);
    EXPECT_EQ(evaluate(*w, "3+4"), 7);
    EXPECT_EQ(evaluate(*w, "2*3+4*5-6/2"), 23);
}

TEST(Expression, SignsSpacesAndStrayCharacters) {
    auto w = emptyWorld();
    EXPECT_EQ(evaluate(*w, "   "), 0);
    EXPECT_EQ(evaluate(*w, " 3 +\t4 * 5 "), 23);
    EXPECT_EQ(evaluate(*w, "+5"), 5);
    EXPECT_EQ(evaluate(*w, "5+"), 5);  // a missing operand counts 0
    EXPECT_EQ(evaluate(*w, "5*"), 0);
    EXPECT_EQ(evaluate(*w, "-7/2"), -3);  // truncation toward zero, not down
    EXPECT_EQ(evaluate(*w, "7/-2"), -3);
    EXPECT_EQ(evaluate(*w, "3,5+1"), 3);  // "," ends it
    EXPECT_EQ(evaluate(*w, "3.5*2"), 6);  // the number reader takes the fraction, then truncates
    EXPECT_EQ(evaluate(*w, "(3)"), 0);
    EXPECT_EQ(evaluate(*w, "6/0*7"), 6);
    EXPECT_EQ(evaluate(*w, "1+6/0*7"), 49);  // the inner level stops at the zero, the outer goes on
}

TEST(Expression, ArithmeticWrapsAt32Bits) {
    auto w = emptyWorld();
    EXPECT_EQ(evaluate(*w, "2147483647+1"), INT_MIN);
    EXPECT_EQ(evaluate(*w, "1-2147483647-3"), INT_MAX);
    EXPECT_EQ(evaluate(*w, "65536*65536"), 0);
    EXPECT_EQ(evaluate(*w, "99999*99999"), static_cast<std::int32_t>(9999800001LL - 2 * 4294967296LL));
    EXPECT_EQ(evaluate(*w, "2147483648"), INT_MIN);
    EXPECT_EQ(evaluate(*w, "2147483648/-1"), INT_MIN);  // the one quotient that cannot fit
    EXPECT_EQ(evaluate(*w, "-2147483648"), INT_MIN);
    EXPECT_EQ(evaluate(*w, "4294967299*2"), 6);
}

TEST(Expression, NumberReaderTakesDecimalFormsOnly) {
    auto w = emptyWorld();
    const auto expect = [&](const char* text, std::int32_t value, std::int32_t cursor) {
        const NumberRead r = readNumber(*w, text);
        EXPECT_EQ(r.value, value) << '"' << text << '"';
        EXPECT_EQ(r.cursor, cursor) << '"' << text << '"';
    };
    expect("42+1", 42, 2);
    expect("  7", 7, 3);
    expect("-2.9", -2, 4);
    expect("+.5", 0, 3);
    expect("1.", 1, 2);
    expect("1.5e3x", 1500, 5);
    expect("25E-1", 2, 5);
    expect("1e", 1, 1);  // an exponent needs digits
    expect("1e+", 1, 1);
    expect("0x1A", 0, 1);  // no hexadecimal: "0" only
    expect("inf", 0, 0);   // nothing read: cursor stays
    expect("nan", 0, 0);
    expect(".", 0, 0);
    expect("-", 0, 0);
    expect("", 0, 0);
    expect("4294967297", 1, 10);  // low 32 bits of the 64-bit truncation
    expect("-4294967297", -1, 11);
    expect("9223372036854774784", -1024, 19);  // the largest double below 2^63
    expect("9223372036854775807", 0, 19);      // rounds to 2^63: out of 64-bit range
    expect("99999999999999999999", 0, 19);     // (19 characters fit the text)
    expect("1e400", 0, 5);
    expect("1e-400", 0, 6);
}

TEST(Expression, NeverReadsPastTheText) {
    auto w = emptyWorld();
    std::mt19937 rng(20240611);
    const std::string alphabet = "0123456789+-*/()., \t\neE\x80\xff?x";
    for (int round = 0; round < 20000; ++round) {
        w->clearExpression();
        const int length = static_cast<int>(rng() % 20);  // 0..19, the zero stays
        for (int k = 0; k < length; ++k)                  // mostly characters it knows, now and then any byte
            w->expressionText[k] = rng() % 8 != 0 ? alphabet[rng() % alphabet.size()] : static_cast<char>(1 + rng() % 255);
        const std::int32_t len = static_cast<std::int32_t>(std::strlen(w->expressionText));
        w->parseExpression(0);
        ASSERT_GE(w->parseCursor, 0) << w->expressionText;
        ASSERT_LE(w->parseCursor, len) << w->expressionText;
    }
    // A text that lost its terminating zero is still read only within its 20 bytes.
    std::memset(w->expressionText, '1', sizeof w->expressionText);
    w->parseCursor = 0;
    w->parseExpression(0);
    EXPECT_EQ(w->parseCursor, 20);
}

// ---- random collected sequences against a reference evaluation -----------------------------

// The reference: split the text into numbers and operators, then sum the signed products.
// Returns nothing when a divisor is zero (the game's rule for that is checked above).
std::optional<std::int32_t> reference(const std::string& text) {
    const auto low32 = [](std::int64_t v) { return static_cast<std::uint32_t>(v); };
    std::vector<std::uint32_t> numbers;
    std::vector<char> ops;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] >= '0' && text[i] <= '9') {
            std::size_t j = i;
            while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
            const double d = std::strtod(text.substr(i, j - i).c_str(), nullptr);
            numbers.push_back(d < 9223372036854775808.0 ? low32(static_cast<std::int64_t>(d)) : 0u);
            i = j;
        } else {
            ops.push_back(text[i++]);
        }
    }
    if (numbers.size() != ops.size() + 1) return std::nullopt;  // not a complete sequence

    std::uint32_t sum = 0;
    std::uint32_t term = numbers[0];  // magnitude of the current product, sign kept apart
    bool negative = false;
    for (std::size_t k = 0; k < ops.size(); ++k) {
        const std::uint32_t n = numbers[k + 1];
        switch (ops[k]) {
        case '*':
            term *= n;
            break;
        case '/': {
            const auto a = static_cast<std::int32_t>(term);
            const auto b = static_cast<std::int32_t>(n);
            if (b == 0) return std::nullopt;
            term = (a == INT_MIN && b == -1) ? term : static_cast<std::uint32_t>(a / b);
            break;
        }
        default:
            sum = negative ? sum - term : sum + term;
            negative = ops[k] == '-';
            term = n;
        }
    }
    sum = negative ? sum - term : sum + term;
    return static_cast<std::int32_t>(sum);
}

TEST(Expression, RandomSequencesMatchTheReference) {
    testing_support::TempDir dir;  // evaluation writes the trace
    std::mt19937 rng(77);
    const char symbols[] = "?123456789+-*/";
    int evaluated = 0;
    for (int round = 0; round < 1500; ++round) {
        auto w = emptyWorld();
        w->playerX = 100;
        w->playerY = 100;

        // A digit first, no two operators in a row, at most 19 entries; how often operators
        // come varies so that long numbers (which wrap) occur too.
        const int length = 1 + static_cast<int>(rng() % 19);
        const auto operatorChance = static_cast<unsigned>(1 + rng() % 60);  // percent
        std::vector<std::int32_t> types;
        for (int k = 0; k < length; ++k) {
            const bool op = k > 0 && types.back() < 10 && rng() % 100 < operatorChance;
            types.push_back(op ? 10 + static_cast<std::int32_t>(rng() % 4) : 1 + static_cast<std::int32_t>(rng() % 9));
        }
        types.push_back(kTokenEquals);
        std::string text;
        for (std::size_t k = 0; k + 1 < types.size(); ++k) text += symbols[types[k]];

        // Every token touches the figure; one pass takes them in index order and ends on "=".
        w->tokenCount = static_cast<std::int32_t>(types.size());
        for (std::int32_t i = 0; i < w->tokenCount; ++i) {
            w->tokens[i].x = 100;
            w->tokens[i].y = 100;
            w->tokens[i].type = types[i];
            w->tokens[i].active = true;
        }
        w->collectTokens();

        std::int32_t expectedScore = 0;
        for (std::size_t k = 0; k + 1 < types.size(); ++k) expectedScore += types[k] < 10 ? 5 : 15;
        ASSERT_EQ(w->collectedCount, length);
        ASSERT_EQ(w->score, expectedScore);
        ASSERT_TRUE(w->tokens[w->tokenCount - 1].active);  // "=" is never taken

        const bool complete = types[length - 1] < 10 && text.find_first_of("+-*/") != std::string::npos;
        ASSERT_EQ(w->levelOver, complete) << text;
        if (!complete) continue;
        ASSERT_STREQ(w->expressionText, text.c_str());
        const auto expected = reference(text);
        if (!expected) continue;
        ASSERT_EQ(w->result, *expected) << text;
        ++evaluated;
    }
    EXPECT_GT(evaluated, 500);  // the sample really exercised the evaluator
}

}  // namespace
