// A picture in memory (24-bit colour, one 0xRRGGBB value per pixel) and the BMP writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gen {

using Rgb = std::uint32_t;  // 0xRRGGBB

constexpr Rgb rgb(int r, int g, int b) {
    return (static_cast<Rgb>(r & 255) << 16) | (static_cast<Rgb>(g & 255) << 8) | static_cast<Rgb>(b & 255);
}
constexpr int red(Rgb c) { return static_cast<int>((c >> 16) & 255); }
constexpr int green(Rgb c) { return static_cast<int>((c >> 8) & 255); }
constexpr int blue(Rgb c) { return static_cast<int>(c & 255); }

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Image() = default;
    Image(int w, int h, Rgb fill = 0) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    void set(int x, int y, Rgb c) {
        if (inside(x, y)) pixels[static_cast<std::size_t>(y) * width + x] = c;
    }
};

// The file bytes of an uncompressed bottom-up 24-bit BMP; row padding is zero.
std::vector<std::uint8_t> encodeBmp(const Image& image);

}  // namespace gen
