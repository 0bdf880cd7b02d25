// A 16-bit picture of our own: RGB565 pixels, a row pitch, and an optional source colour key
// (pixels equal to the key are left out of keyed copies).
#pragma once

#include <cstdint>
#include <vector>

class Surface {
public:
    Surface(int width, int height)
        : width_(width),
          height_(height),
          pitch_(width),
          pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {}

    int width() const { return width_; }
    int height() const { return height_; }
    int pitch() const { return pitch_; }  // in pixels
    std::uint16_t* pixels() { return pixels_.data(); }
    const std::uint16_t* pixels() const { return pixels_.data(); }
    std::uint16_t* row(int y) { return pixels_.data() + static_cast<std::ptrdiff_t>(y) * pitch_; }
    const std::uint16_t* row(int y) const { return pixels_.data() + static_cast<std::ptrdiff_t>(y) * pitch_; }
    std::uint16_t at(int x, int y) const { return row(y)[x]; }
    std::vector<std::uint16_t>& storage() { return pixels_; }

    bool hasColorKey() const { return hasKey_; }
    std::uint16_t colorKey() const { return key_; }
    void setColorKey(std::uint16_t key) {
        hasKey_ = true;
        key_ = key;
    }

private:
    int width_;
    int height_;
    int pitch_;
    std::vector<std::uint16_t> pixels_;
    bool hasKey_ = false;
    std::uint16_t key_ = 0;
};
