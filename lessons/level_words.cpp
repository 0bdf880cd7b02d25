#include "lessons/level_words.h"

#include "lessons/level_text.h"

#include <algorithm>

namespace lvl {

int cellValue(char c) {
    switch (c) {
    case '.':
        return -1;
    case '#':
        return 0;
    case 'X':
        return 1;
    case '=':
        return 2;
    case 'O':
        return 3;
    default:
        return -2;
    }
}

char cellChar(std::int32_t v) {
    switch (v) {
    case 0:
        return '#';
    case 1:
        return 'X';
    case 2:
        return '=';
    case 3:
        return 'O';
    default:
        return '.';
    }
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && isBlank(s[i])) ++i;
        std::size_t j = i;
        while (j < s.size() && !isBlank(s[j])) ++j;
        if (j > i) out.push_back(s.substr(i, j - i));
        i = j;
    }
    return out;
}

std::optional<std::int32_t> wholeNumber(std::string_view w) {
    std::size_t i = w.starts_with('-') ? 1 : 0;
    if (i == w.size() || w.size() > 11) return std::nullopt;
    std::int64_t v = 0;
    for (; i < w.size(); ++i) {
        if (w[i] < '0' || w[i] > '9') return std::nullopt;
        v = v * 10 + (w[i] - '0');
    }
    if (w.starts_with('-')) v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(v);
}

std::optional<double> cellNumber(std::string_view w) {
    std::size_t i = w.starts_with('-') ? 1 : 0;
    double whole = 0, scale = 1, fraction = 0;
    std::size_t digits = 0;
    for (; i < w.size() && w[i] >= '0' && w[i] <= '9'; ++i, ++digits) whole = whole * 10 + (w[i] - '0');
    if (i < w.size() && w[i] == '.') {
        for (++i; i < w.size() && w[i] >= '0' && w[i] <= '9'; ++i, ++digits) fraction += (w[i] - '0') * (scale /= 10);
    }
    if (i != w.size() || digits == 0 || digits > 9) return std::nullopt;
    const double v = whole + fraction;
    return w.starts_with('-') ? -v : v;
}

// A word of the file in quotes, when it reads as level text: a word of letters (any
// alphabet), digits, '.', ',', '_', '-' and '/', or one sign of a token or a cell. Any other word (a line
// of some other file, perhaps a secret) is not repeated: "…" stands for it.
std::string quoted(std::string_view s) {
    const auto wordSign = [](char c) {
        return static_cast<unsigned char>(c) >= 0x80 || std::isalnum(static_cast<unsigned char>(c)) ||
               std::string_view(".,_-/").find(c) != std::string_view::npos;
    };
    const bool levelText = (s.size() == 1 && std::string_view("+-*/=#.XO").find(s[0]) != std::string_view::npos) ||
                           (!s.empty() && s.size() <= 24 && std::all_of(s.begin(), s.end(), wordSign));
    return std::string(1, '"').append(levelText ? s : "…").append(1, '"');
}
std::string num(long v) { return std::to_string(v); }

}  // namespace lvl
