// Platform steps that fail (window, renderer, texture, audio, font) say why on standard error,
// one line each, in the library's own words. The game's trace file never sees them.
#pragma once

#include <string>
#include <string_view>

namespace plat {

// "kalkulon: <what>: <reason>" on one line: line breaks and other control characters in the
// reason become spaces; an empty reason reads "no reason given".
std::string failureLine(std::string_view what, std::string_view reason);
// Writes failureLine(what, reason) and a line break to standard error.
void reportFailure(std::string_view what, std::string_view reason);

}  // namespace plat
