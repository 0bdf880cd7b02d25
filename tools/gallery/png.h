// A small PNG writer for 24-bit pictures: filtered rows, deflate with fixed Huffman codes and
// a hash-chain match finder. No library needed, and the same bytes for the same picture.
#pragma once

#include <cstdint>
#include <vector>

namespace gallery {

// `rgb` holds width * height pixels as 0xRRGGBB.
std::vector<std::uint8_t> encodePng(const std::vector<std::uint32_t>& rgb, int width, int height);

}  // namespace gallery
