// Platform text: shadowed white text into the back buffer, plain white numbers, and the light
// blue caption straight onto the visible surface. Rendered lines are cached by their bytes,
// since the same texts are drawn every frame.
#include "display/display.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr std::uint16_t kWhite = 0xFFFF;
constexpr std::uint16_t kBlack = 0x0000;
constexpr std::uint16_t rgb565(int r, int g, int b) {
    return static_cast<std::uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}
constexpr std::uint16_t kCaptionBlue = rgb565(150, 200, 255);

// Only the start point is tested; a long text runs on and is cut at the edge.
bool startInBounds(std::int32_t x, std::int32_t y) { return x >= 0 && y >= 0 && x + 12 <= 640 && y + 12 <= 480; }

std::uint16_t blend(std::uint16_t dst, std::uint16_t src, unsigned alpha) {
    if (alpha >= 255) return src;
    const unsigned inv = 255 - alpha;
    const unsigned r = (((src >> 11) & 31) * alpha + ((dst >> 11) & 31) * inv + 127) / 255;
    const unsigned g = (((src >> 5) & 63) * alpha + ((dst >> 5) & 63) * inv + 127) / 255;
    const unsigned b = ((src & 31) * alpha + (dst & 31) * inv + 127) / 255;
    return static_cast<std::uint16_t>((r << 11) | (g << 5) | b);
}

}  // namespace

void Display::textOut(Surface& target, std::int32_t x, std::int32_t y, const char* text, int length,
                      std::uint16_t color) {
    if (length <= 0) return;
    std::string key(text, static_cast<std::size_t>(length));
    auto it = textCache_.find(key);
    if (it == textCache_.end()) {
        plat::TextImage image;
        plat::rasteriseText(text, length, image);  // an empty image when no font is at hand
        if (textCache_.size() > 512) textCache_.clear();  // credits and numbers change; keep it small
        it = textCache_.emplace(std::move(key), std::move(image)).first;
    }
    const plat::TextImage& image = it->second;
    for (int row = 0; row < image.height; ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= target.height()) continue;
        std::uint16_t* dst = target.row(ty);
        const std::uint8_t* cov = image.coverage.data() + static_cast<std::size_t>(row) * image.width;
        for (int col = 0; col < image.width; ++col) {
            const int tx = x + col;
            if (cov[col] == 0 || tx < 0 || tx >= target.width()) continue;
            dst[tx] = blend(dst[tx], color, cov[col]);
        }
    }
}

void Display::drawText(std::int32_t x, std::int32_t y, const char* text) {
    if (!startInBounds(x, y) || !backBuffer) return;
    const int n = static_cast<int>(std::strlen(text));
    textOut(*backBuffer, x - 2, y - 1, text, n, kBlack);
    textOut(*backBuffer, x, y, text, n, kWhite);
}

void Display::drawNumber(std::int32_t x, std::int32_t y, std::int32_t value) {
    if (!startInBounds(x, y) || !backBuffer) return;
    char buffer[10] = {};
    std::snprintf(buffer, sizeof buffer, "%d", value);  // at most 9 characters fit
    textOut(*backBuffer, x, y, buffer, static_cast<int>(std::strlen(buffer)), kWhite);
}

void Display::drawFrontText(std::int32_t x, std::int32_t y, const char* text) {
    if (!startInBounds(x, y) || !primarySurface) return;
    const int n = static_cast<int>(std::strlen(text));
    textOut(*primarySurface, x - 2, y - 1, text, n, kBlack);
    textOut(*primarySurface, x, y, text, n, kCaptionBlue);
    showFront();
}
