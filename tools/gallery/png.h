// A small PNG writer for 24-bit pictures: filtered rows, deflate with fixed Huffman codes and
// a hash-chain match finder. No library needed, and the same bytes for the same picture. And
// its reader, for the files it writes (the golden frames of the tests).
#pragma once

#include <cstdint>
#include <vector>

namespace gallery {

// `rgb` holds width * height pixels as 0xRRGGBB.
std::vector<std::uint8_t> encodePng(const std::vector<std::uint32_t>& rgb, int width, int height);

// The pixels of a file encodePng wrote (8-bit RGB, rows unfiltered or "up", stored or fixed
// Huffman blocks, every check sum right), at most 4096 x 4096. False for anything else.
bool decodePng(const std::vector<std::uint8_t>& file, std::vector<std::uint32_t>& rgb, int& width, int& height);

// A frame of RGB565 pixels as a PNG file, each pixel the colour it stands for (its bits
// repeated to fill a byte), so that nothing is lost.
std::vector<std::uint8_t> encodeFrame565(const std::vector<std::uint16_t>& pixels, int width, int height);
// Its reader: false also when a colour is none an RGB565 pixel stands for.
bool decodeFrame565(const std::vector<std::uint8_t>& file, std::vector<std::uint16_t>& pixels, int& width, int& height);

}  // namespace gallery
