// Platform text: shadowed white text into the back buffer, plain white numbers, and the light
// blue caption straight onto the visible surface. Rendered lines are cached by their bytes,
// since the same texts are drawn every frame.
#include "display/display.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr std::size_t kTextCacheSize = 512;
constexpr std::uint16_t kWhite = 0xFFFF;
constexpr std::uint16_t kBlack = 0x0000;
constexpr std::uint16_t rgb565(int r, int g, int b) {
    return static_cast<std::uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}
constexpr std::uint16_t kCaptionBlue = rgb565(150, 200, 255);

// Only the start point is tested; a long text runs on and is cut at the edge.
// (x + 12 <= 640 and y + 12 <= 480, written so that no sum can overflow).
bool startInBounds(std::int32_t x, std::int32_t y) { return x >= 0 && y >= 0 && x <= 640 - 12 && y <= 480 - 12; }

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
    const std::string_view bytes(text, static_cast<std::size_t>(length));
    auto it = textCache_.find(bytes);
    if (it == textCache_.end()) {
        plat::TextImage image;
        plat::rasteriseText(text, length, image);  // an empty image when no font is at hand
        if (textCache_.size() >= kTextCacheSize) textCache_.clear();  // changing numbers; keep it small
        it = textCache_.emplace(std::string(bytes), std::move(image)).first;
    }
    const plat::TextImage& image = it->second;
    // Transparent output, cut at the surface's edges.
    const long long firstCol = std::max<long long>(0, -static_cast<long long>(x));
    const long long endCol = std::min<long long>(image.width, static_cast<long long>(target.width()) - x);
    const long long firstRow = std::max<long long>(0, -static_cast<long long>(y));
    const long long endRow = std::min<long long>(image.height, static_cast<long long>(target.height()) - y);
    for (long long row = firstRow; row < endRow; ++row) {
        std::uint16_t* dst = target.row(static_cast<int>(y + row));
        const std::uint8_t* cov = image.coverage.data() + static_cast<std::size_t>(row) * image.width;
        for (long long col = firstCol; col < endCol; ++col) {
            if (cov[col] == 0) continue;
            std::uint16_t& p = dst[x + col];
            p = blend(p, color, cov[col]);
        }
    }
}

void Display::drawText(std::int32_t x, std::int32_t y, const char* text) {
    if (!startInBounds(x, y) || !backBuffer || text == nullptr) return;
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
    if (!startInBounds(x, y) || !primarySurface || text == nullptr) return;
    const int n = static_cast<int>(std::strlen(text));
    textOut(*primarySurface, x - 2, y - 1, text, n, kBlack);
    textOut(*primarySurface, x, y, text, n, kCaptionBlue);
    showFront();
}
