// Fixed bytes: the trace lines are the game's own ("clear wynik"); keep them as they are.
// Taking the tokens the figure touches, and the value of the collected expression: a small
// recursive evaluator over 32-bit integers that wrap, with "*" and "/" binding tighter than
// "+" and "-", all four associating to the left.
#include "world/game_world.h"

#include <charconv>
#include <cstdint>
#include <system_error>

namespace {

constexpr std::int32_t kTouchOffset = 12;  // the 8 x 8 touch box inside the 34-pixel sprite
constexpr std::int32_t kTouchSize = 8;
// The text holds at most 19 symbols and its terminating zero; taking stops at 19.
constexpr std::int32_t kMaxCollected = kCollectedSize - 1;

// Wrapping 32-bit arithmetic, done in unsigned so that overflow is defined.
std::int32_t wrap(std::uint32_t v) { return static_cast<std::int32_t>(v); }
std::uint32_t bits(std::int32_t v) { return static_cast<std::uint32_t>(v); }

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// Tokens are looked at in index order; the one that completes the expression ends the pass,
// so nothing touched in the same step after it is taken or evaluated.
void GameWorld::collectTokens() {
    const auto evaluate = [this] {
        error.debugLog("\nclear wynik\n");
        clearExpression();
        error.debugLog("konwersja na char\n");
        for (std::int32_t k = 0; k < collectedCount; ++k) expressionText[k] = tokenSymbol(tokens[collected[k]].type);
        error.debugLog(expressionText);
        error.debugLog("obliczenie wyniku\n");
        result = parseExpression(0);
        error.debugLog("wynik: ");
        error.debugLog(result);
        levelOver = true;
    };
    const auto kindAt = [this](std::int32_t k) { return tokenKind(tokens[collected[k]].type); };
    bool holdsSign = false;
    for (std::int32_t k = 0; k < collectedCount; ++k) holdsSign |= kindAt(k) == TokenKind::Sign;

    for (std::int32_t i = 0; i < tokenCount; ++i) {
        Token& t = tokens[i];
        if (!t.active) continue;

        // The box need only overlap the figure sideways, but must lie wholly inside it
        // vertically.
        const std::int64_t tx = std::int64_t{t.x} + kTouchOffset;
        const std::int64_t ty = std::int64_t{t.y} + kTouchOffset;
        const std::int64_t px = playerX;
        const std::int64_t py = playerY;
        if (!(tx < px + playerWidth && tx + kTouchSize > px && ty > py && ty + kTouchSize < py + playerHeight)) continue;

        const TokenInfo& info = tokenInfo(t.type);
        const TokenKind last = collectedCount == 0 ? TokenKind::None : kindAt(collectedCount - 1);
        if (info.kind != TokenKind::Equals) {
            // A full text leaves the token in the level; a sign taken leaves the sum ending in a
            // sign, so neither completes anything.
            if (!mayFollow(last, info.kind) || collectedCount >= kMaxCollected) continue;
            collected[collectedCount++] = i;
            t.active = false;
            score = wrap(bits(score) + bits(info.points));
            holdsSign |= info.kind == TokenKind::Sign;
            continue;
        }
        if (isCompleteSum(holdsSign, last)) {
            evaluate();
            return;
        }
    }
}

std::int32_t GameWorld::parseExpression(std::int32_t level) {
    // Reads never go past the end of the text, even if it lost its terminating zero.
    const auto at = [this](std::int32_t pos) -> char { return pos >= 0 && pos < kCollectedSize ? expressionText[pos] : '\0'; };
    // Skips white space and takes one character; '\0' when only white space remains.
    const auto readToken = [&]() -> char {
        while (isSpace(at(parseCursor))) ++parseCursor;
        const char c = at(parseCursor);
        if (c != '\0') ++parseCursor;
        return c;
    };
    const auto stepBack = [this] { --parseCursor; };

    char c = readToken();
    if (c == '\0') return 0;

    std::int32_t value = 0;
    if (c == '+') {
        value = parseExpression(1);
    } else if (c == '-') {
        value = wrap(0u - bits(parseExpression(1)));
    } else {
        stepBack();
        value = parseNumber();
    }

    for (;;) {
        c = readToken();
        if (c == '\0') return value;
        switch (c) {
        case ')':
            stepBack();
            return value;
        case '+':
            if (level > 0) {
                stepBack();
                return value;
            }
            value = wrap(bits(value) + bits(parseExpression(1)));
            break;
        case '-':
            if (level > 0) {
                stepBack();
                return value;
            }
            value = wrap(bits(value) - bits(parseExpression(1)));
            break;
        case '*':
            if (level > 1) {
                stepBack();
                return value;
            }
            value = wrap(bits(value) * bits(parseExpression(2)));
            break;
        case '/': {
            if (level > 1) {
                stepBack();
                return value;
            }
            const std::int32_t d = parseExpression(2);
            if (d == 0) return value;  // nothing after the divisor is read at this level
            // Truncates toward zero; the one quotient that does not fit wraps back to itself.
            value = d == -1 ? wrap(0u - bits(value)) : value / d;
            break;
        }
        default:
            return value;  // anything else ends the expression and stays consumed
        }
    }
}

std::int32_t GameWorld::parseNumber() {
    // The longest prefix forming a decimal number: white space, a sign, digits, a fraction and
    // an exponent. Only decimal forms: no hexadecimal, no "inf" or "nan".
    const auto at = [this](std::int32_t pos) -> char { return pos >= 0 && pos < kCollectedSize ? expressionText[pos] : '\0'; };
    std::int32_t pos = parseCursor;
    while (isSpace(at(pos))) ++pos;
    bool negative = false;
    if (at(pos) == '+' || at(pos) == '-') {
        negative = at(pos) == '-';
        ++pos;
    }
    const std::int32_t mantissaStart = pos;
    std::int32_t digits = 0;
    while (isDecimalDigit(at(pos))) ++pos, ++digits;
    if (at(pos) == '.') {
        ++pos;
        while (isDecimalDigit(at(pos))) ++pos, ++digits;
    }
    if (digits == 0) return 0;  // no number here: the cursor stays
    if (at(pos) == 'e' || at(pos) == 'E') {
        std::int32_t e = pos + 1;
        if (at(e) == '+' || at(e) == '-') ++e;
        if (isDecimalDigit(at(e))) {
            while (isDecimalDigit(at(e))) ++e;
            pos = e;
        }
    }
    parseCursor = pos;

    double magnitude = 0.0;
    const char* first = expressionText + mantissaStart;
    const auto [end, ec] = std::from_chars(first, expressionText + pos, magnitude, std::chars_format::general);
    // Too large is beyond any integer below; too small truncates to zero either way.
    if (ec != std::errc{} || end != expressionText + pos) return 0;
    const double v = negative ? -magnitude : magnitude;

    // Truncation toward zero to 64 bits, keeping the low 32. A value outside the 64-bit range
    // truncates to the integer-indefinite value 0x8000000000000000, whose low 32 bits are 0.
    constexpr double kTwo63 = 9223372036854775808.0;
    if (!(v >= -kTwo63 && v < kTwo63)) return 0;
    const auto whole = static_cast<std::int64_t>(v);
    return wrap(static_cast<std::uint32_t>(static_cast<std::uint64_t>(whole)));
}
