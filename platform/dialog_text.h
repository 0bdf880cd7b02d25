// The message box's text as it is shown: long lines wrapped at spaces, as the system's message
// box wraps a line that would not fit the screen. Both back ends show (or record) this.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plat {

// Characters on one line of the dialog: fits a 640-pixel screen with the box's margins.
inline constexpr std::size_t kDialogLineLength = 56;

// Each line of `text` (Windows-1250 bytes, "\n" between lines) broken at its last space before
// `width` characters, or at `width` inside a word longer than that. Line breaks already there
// stay; nothing else changes.
std::string wrapDialogText(std::string_view text, std::size_t width = kDialogLineLength);

}  // namespace plat
