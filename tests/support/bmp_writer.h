// Writes small BMP files for tests: 8-bit with a palette, 24-bit and 32-bit, bottom-up or
// top-down, from a function giving the colour of each pixel. Also a raw header writer for
// files that lie about themselves.
#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline void putLe16(std::string& s, std::uint32_t v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
inline void putLe32(std::string& s, std::uint32_t v) {
    putLe16(s, v & 0xFFFF);
    putLe16(s, v >> 16);
}

// The 14-byte file header and a 40-byte info header, as given (nothing checked).
inline std::string bmpHeaders(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel, std::uint32_t pixelOffset,
                              std::uint32_t fileSize, std::uint32_t compression = 0, std::uint32_t colours = 0) {
    std::string s;
    s += "BM";
    putLe32(s, fileSize);
    putLe32(s, 0);
    putLe32(s, pixelOffset);
    putLe32(s, 40);
    putLe32(s, static_cast<std::uint32_t>(width));
    putLe32(s, static_cast<std::uint32_t>(height));
    putLe16(s, 1);
    putLe16(s, bitsPerPixel);
    putLe32(s, compression);
    putLe32(s, 0);     // image size (may be 0 for plain rows)
    putLe32(s, 2835);  // 72 dpi
    putLe32(s, 2835);
    putLe32(s, colours);
    putLe32(s, 0);
    return s;
}

// A whole BMP file. bitsPerPixel 8 (palette from the distinct colours, at most 256), 24 or 32.
// topDown stores the rows top first (negative height).
inline std::string makeBmp(int width, int height, int bitsPerPixel, const std::function<Rgb(int x, int y)>& pixel,
                           bool topDown = false) {
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indexes;
    if (bitsPerPixel == 8) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const Rgb c = pixel(x, y);
                std::size_t i = 0;
                while (i < palette.size() && !(palette[i] == c)) ++i;
                if (i == palette.size()) palette.push_back(c);
                indexes.push_back(static_cast<std::uint8_t>(i));
            }
        }
    }
    const int bytesPerPixel = bitsPerPixel / 8;
    const int rowBytes = (width * bytesPerPixel + 3) / 4 * 4;
    const std::uint32_t offset = 54 + static_cast<std::uint32_t>(palette.size()) * 4;
    const std::uint32_t size = offset + static_cast<std::uint32_t>(rowBytes * height);
    std::string s = bmpHeaders(width, topDown ? -height : height, static_cast<std::uint16_t>(bitsPerPixel), offset, size, 0,
                               static_cast<std::uint32_t>(palette.size()));
    for (const Rgb& c : palette) {
        s.push_back(static_cast<char>(c.b));
        s.push_back(static_cast<char>(c.g));
        s.push_back(static_cast<char>(c.r));
        s.push_back(0);
    }
    for (int k = 0; k < height; ++k) {
        const int y = topDown ? k : height - 1 - k;
        std::string row;
        for (int x = 0; x < width; ++x) {
            if (bitsPerPixel == 8) {
                row.push_back(static_cast<char>(indexes[static_cast<std::size_t>(y * width + x)]));
                continue;
            }
            const Rgb c = pixel(x, y);
            row.push_back(static_cast<char>(c.b));
            row.push_back(static_cast<char>(c.g));
            row.push_back(static_cast<char>(c.r));
            if (bitsPerPixel == 32) row.push_back(0);  // unused byte, as paint programs leave it
        }
        row.resize(static_cast<std::size_t>(rowBytes), 0);
        s += row;
    }
    return s;
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace testing_support
