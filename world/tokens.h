// The tokens: the digits 1 to 9, the four signs and "=". One table says what each type is (its
// symbol, its kind, the points for taking it, its picture in butony.bmp and the level reader's
// trace line), and one rule says what may follow what. The world's collection and expression,
// the level library, the route finder, the practice packs and the picture generator all read
// them here.
#pragma once

#include "world/frame_rect.h"
#include "world/layout.h"

#include <cstdint>
#include <string_view>

// Token types as a level file stores them: 1..9 the digits, then the signs and "=".
enum TokenType : std::int32_t {
    kTokenPlus = 10,
    kTokenMinus = 11,
    kTokenTimes = 12,
    kTokenDivide = 13,
    kTokenEquals = 14,
};
inline constexpr std::int32_t kTokenTypes = kTokenEquals;  // the types 1 .. 14

// None is the kind of what lies before the first token taken.
enum class TokenKind : std::uint8_t { None, Digit, Sign, Equals };

struct TokenInfo {
    // As the taken sequence is written ("12+3"); '?' for a type the game does not know, where
    // the evaluator stops reading.
    char symbol;
    TokenKind kind;
    std::int32_t points;    // for taking it
    FrameRect picture;      // its first frame in butony.bmp; the other frames follow to the right
    const char* traceLine;  // fixed bytes: what the level reader writes when it places one
};

namespace token_detail {
constexpr FrameRect cell(std::int32_t left, std::int32_t top, std::int32_t height = layout::kTokenHeight) {
    return {left, top, left + layout::kTokenWidth, top + height};
}
}  // namespace token_detail

// Indexed by type. The first and the last row stand for every type below 1 and above 14,
// which a damaged level file can hold: one below counts as a digit (5 points, written "?"),
// one above as "=" (it evaluates a complete sum); both read a 34 x 34 picture from (0, 218).
inline constexpr TokenInfo kTokenTable[kTokenTypes + 2] = {
    {'?', TokenKind::Digit, 5, token_detail::cell(0, 218, 34), "typ1\n"},
    {'1', TokenKind::Digit, 5, token_detail::cell(0, 219), "typ1\n"},
    {'2', TokenKind::Digit, 5, token_detail::cell(306, 219), "typ2\n"},
    {'3', TokenKind::Digit, 5, token_detail::cell(0, 253), "typ3\n"},
    {'4', TokenKind::Digit, 5, token_detail::cell(306, 253), "typ4\n"},
    {'5', TokenKind::Digit, 5, token_detail::cell(0, 287), "typ5\n"},
    {'6', TokenKind::Digit, 5, token_detail::cell(306, 287), "typ6\n"},
    {'7', TokenKind::Digit, 5, token_detail::cell(0, 321), "typ7\n"},
    {'8', TokenKind::Digit, 5, token_detail::cell(306, 321), "typ8\n"},
    {'9', TokenKind::Digit, 5, token_detail::cell(0, 355), "typ9\n"},
    {'+', TokenKind::Sign, 15, token_detail::cell(306, 355), "typ 10 + \n"},
    {'-', TokenKind::Sign, 15, token_detail::cell(0, 389), "typ11 - \n"},
    {'*', TokenKind::Sign, 15, token_detail::cell(306, 389), "typ12 *\n"},
    {'/', TokenKind::Sign, 15, token_detail::cell(0, 423), "typ13 /\n"},
    {'=', TokenKind::Equals, 0, token_detail::cell(306, 423), "typ14 =\n"},
    {'?', TokenKind::Equals, 0, token_detail::cell(0, 218, 34), "typ1\n"},
};

constexpr bool isKnownToken(std::int32_t type) { return type >= 1 && type <= kTokenTypes; }

constexpr const TokenInfo& tokenInfo(std::int32_t type) {
    return kTokenTable[type < 1 ? 0 : type > kTokenTypes ? kTokenTypes + 1 : type];
}
constexpr char tokenSymbol(std::int32_t type) { return tokenInfo(type).symbol; }
constexpr TokenKind tokenKind(std::int32_t type) { return tokenInfo(type).kind; }

// The type a symbol stands for ('1'..'9', '+', '-', '*', '/', '='); 0 for any other character.
constexpr std::int32_t tokenType(char symbol) {
    for (std::int32_t type = 1; type <= kTokenTypes; ++type)
        if (kTokenTable[type].symbol == symbol) return type;
    return 0;
}

// What may follow what: a digit is taken after anything, a sign only right after a digit, and
// "=" is never taken. It evaluates instead what was taken when that is a complete sum: a sign
// held and a digit last (so a digit first and at least three tokens).
constexpr bool mayFollow(TokenKind last, TokenKind next) {
    return next == TokenKind::Digit || (next == TokenKind::Sign && last == TokenKind::Digit);
}
constexpr bool isCompleteSum(bool holdsSign, TokenKind last) { return holdsSign && last == TokenKind::Digit; }

// The same for a taken sequence written as its symbols ("12+3").
constexpr TokenKind lastTokenKind(std::string_view taken) {
    return taken.empty() ? TokenKind::None : tokenKind(tokenType(taken.back()));
}
constexpr bool mayFollow(std::string_view taken, std::int32_t type) { return mayFollow(lastTokenKind(taken), tokenKind(type)); }
constexpr bool isCompleteSum(std::string_view taken) {
    bool holdsSign = false;
    for (char c : taken) holdsSign |= tokenKind(tokenType(c)) == TokenKind::Sign;
    return isCompleteSum(holdsSign, lastTokenKind(taken));
}
