#include "image.h"

#include <cstdio>

namespace gen {

namespace {
void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 255));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 255));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
}  // namespace

std::vector<std::uint8_t> encodeBmp(const Image& image) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    const std::uint32_t dataBytes = rowBytes * static_cast<std::uint32_t>(image.height);
    std::vector<std::uint8_t> out;
    out.reserve(54 + dataBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + dataBytes);  // file size
    put32(out, 0);               // reserved
    put32(out, 54);              // offset of the pixels
    put32(out, 40);              // info header size
    put32(out, static_cast<std::uint32_t>(image.width));
    put32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom-up rows
    put16(out, 1);                                         // planes
    put16(out, 24);                                        // bits per pixel
    put32(out, 0);                                         // no compression
    put32(out, dataBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < image.width; ++x) {
            const Rgb c = image.at(x, y);
            out.push_back(static_cast<std::uint8_t>(blue(c)));
            out.push_back(static_cast<std::uint8_t>(green(c)));
            out.push_back(static_cast<std::uint8_t>(red(c)));
            written += 3;
        }
        for (; written < rowBytes; ++written) out.push_back(0);
    }
    return out;
}

}  // namespace gen
