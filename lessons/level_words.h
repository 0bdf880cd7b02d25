// The words, numbers and letters of a level source: lines split at white space, whole numbers
// and cell positions read strictly, the grid's letters, and the quoting of a word in a message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lvl {

// The letter of a grid cell (-1 empty, 0 to 3 a block); cellValue (level_text.h) reads it back.
char cellChar(std::int32_t v);

bool isBlank(char c);  // white space within a line
std::string_view trim(std::string_view s);
std::vector<std::string_view> words(std::string_view s);

// A whole number, optionally negative, that fits 32 bits.
std::optional<std::int32_t> wholeNumber(std::string_view w);
// A cell position: digits with an optional fraction, optionally negative ("5", "5.5", "-1").
std::optional<double> cellNumber(std::string_view w);

std::string quoted(std::string_view s);
std::string num(long v);

}  // namespace lvl
