// Text rasterised by SDL_ttf from the font file at any size: the lettering the generator draws
// into the pictures, and the proof that the game's text data (platform/common/text_glyphs.h)
// gives SDL_ttf's lines. Not part of the platform's interface: the game draws its text from
// the data.
#pragma once

#include "platform/platform.h"

#include <string>

namespace plat::sdl {

// DejaVu Sans Bold at `pointSize`, light hinting, as SDL_ttf blends it: false when the font
// cannot be had (said once a size on standard error) or the text is empty.
bool rasteriseTtf(const char* cp1250, int length, TextImage& out, int pointSize);
bool rasteriseTtfUtf8(const std::string& utf8, TextImage& out, int pointSize);

}  // namespace plat::sdl
