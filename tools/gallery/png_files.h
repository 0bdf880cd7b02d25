// PNG files of 24-bit pictures, written and read through libpng: the gallery's pictures and the
// tests' golden frames.
#pragma once

#include <cstdint>
#include <vector>

namespace gallery {

// `rgb` holds width * height pixels as 0xRRGGBB. Empty when libpng fails.
std::vector<std::uint8_t> encodePng(const std::vector<std::uint32_t>& rgb, int width, int height);

// The pixels of an 8-bit RGB PNG file without interlacing, at most 4096 x 4096, whose every
// chunk and check sum is right. False for anything else.
bool decodePng(const std::vector<std::uint8_t>& file, std::vector<std::uint32_t>& rgb, int& width, int& height);

// A frame of RGB565 pixels as a PNG file, each pixel the colour it stands for (its bits
// repeated to fill a byte), so that nothing is lost.
std::vector<std::uint8_t> encodeFrame565(const std::vector<std::uint16_t>& pixels, int width, int height);
// Its reader: false also when a colour is none an RGB565 pixel stands for.
bool decodeFrame565(const std::vector<std::uint8_t>& file, std::vector<std::uint16_t>& pixels, int& width, int& height);

}  // namespace gallery
