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
// (x + 12 and y + 12 inside the frame, written so that no sum can overflow).
bool startInBounds(std::int32_t x, std::int32_t y) {
    return x >= 0 && y >= 0 && x <= layout::kFrameWidth - 12 && y <= layout::kFrameHeight - 12;
}

// (colour * alpha + pixel * (255 - alpha) + 127) / 255 in each channel; alpha 0 keeps the
// pixel and 255 gives the colour, exactly.
std::uint16_t blend(std::uint16_t dst, std::uint16_t src, unsigned alpha) {
    if (alpha >= 255) return src;
    const unsigned inv = 255 - alpha;
    const unsigned r = (((src >> 11) & 31) * alpha + ((dst >> 11) & 31) * inv + 127) / 255;
    const unsigned g = (((src >> 5) & 63) * alpha + ((dst >> 5) & 63) * inv + 127) / 255;
    const unsigned b = ((src & 31) * alpha + (dst & 31) * inv + 127) / 255;
    return static_cast<std::uint16_t>((r << 11) | (g << 5) | b);
}

// The same blend over a run of pixels, eight at a time in 16-bit lanes (GCC and Clang vector
// types, any target). Every sum stays below 63 * 255 + 128, and for such v
// (v + 127) / 255 == (v + 128 + ((v + 128) >> 8)) >> 8, so the result is the scalar one.
void blendRun(std::uint16_t* dst, const std::uint8_t* coverage, int count, std::uint16_t colour) {
    int i = 0;
#if defined(__GNUC__)
    using Lanes = std::uint16_t __attribute__((vector_size(16)));
    using Bytes = std::uint8_t __attribute__((vector_size(8)));
    const Lanes red = Lanes{} + static_cast<std::uint16_t>((colour >> 11) & 31);
    const Lanes green = Lanes{} + static_cast<std::uint16_t>((colour >> 5) & 63);
    const Lanes blue = Lanes{} + static_cast<std::uint16_t>(colour & 31);
    const auto divide255 = [](Lanes v) {
        v += 128;
        return (v + (v >> 8)) >> 8;
    };
    for (; i + 8 <= count; i += 8) {
        Bytes c;
        Lanes d;
        std::memcpy(&c, coverage + i, sizeof c);
        std::memcpy(&d, dst + i, sizeof d);
        const Lanes alpha = __builtin_convertvector(c, Lanes);
        const Lanes inv = 255 - alpha;
        const Lanes r = divide255(red * alpha + (d >> 11) * inv);
        const Lanes g = divide255(green * alpha + ((d >> 5) & 63) * inv);
        const Lanes b = divide255(blue * alpha + (d & 31) * inv);
        const Lanes out = (r << 11) | (g << 5) | b;
        std::memcpy(dst + i, &out, sizeof out);
    }
#endif
    for (; i < count; ++i)
        if (coverage[i] != 0) dst[i] = blend(dst[i], colour, coverage[i]);
}

}  // namespace

const Display::RenderedText& Display::rendered(std::string_view bytes) {
    auto it = textCache_.find(bytes);
    if (it == textCache_.end()) {
        RenderedText rendered;
        plat::TextImage& image = rendered.image;
        // An empty image when no font is at hand.
        const int length = static_cast<int>(bytes.size());
        if (language == "pl") plat::rasteriseText(bytes.data(), length, image);
        else plat::rasteriseUtf8(bytes.data(), length, image);
        rendered.rowBegin.assign(static_cast<std::size_t>(image.height), 0);
        rendered.rowEnd.assign(static_cast<std::size_t>(image.height), 0);
        for (int row = 0; row < image.height; ++row) {
            const std::uint8_t* cov = image.coverage.data() + static_cast<std::size_t>(row) * image.width;
            int begin = 0;
            int end = image.width;
            while (begin < end && cov[begin] == 0) ++begin;
            while (end > begin && cov[end - 1] == 0) --end;
            rendered.rowBegin[static_cast<std::size_t>(row)] = begin;
            rendered.rowEnd[static_cast<std::size_t>(row)] = end;
        }
        if (textCache_.size() >= kTextCacheSize) textCache_.clear();  // changing numbers; keep it small
        it = textCache_.emplace(std::string(bytes), std::move(rendered)).first;
    }
    return it->second;
}

std::int32_t Display::textWidth(const char* text) {
    if (text == nullptr || *text == '\0') return 0;
    const RenderedText& line = rendered(text);
    std::int32_t right = 0;
    for (int end : line.rowEnd) right = std::max(right, end);
    return right;
}

void Display::textOut(Surface& target, std::int32_t x, std::int32_t y, const char* text, int length, std::uint16_t color) {
    if (length <= 0) return;
    const RenderedText& line = rendered(std::string_view(text, static_cast<std::size_t>(length)));
    const plat::TextImage& image = line.image;
    // Transparent output, cut at the surface's edges.
    const long long firstCol = std::max<long long>(0, -static_cast<long long>(x));
    const long long endCol = std::min<long long>(image.width, static_cast<long long>(target.width()) - x);
    const long long firstRow = std::max<long long>(0, -static_cast<long long>(y));
    const long long endRow = std::min<long long>(image.height, static_cast<long long>(target.height()) - y);
    for (long long row = firstRow; row < endRow; ++row) {
        const long long begin = std::max<long long>(firstCol, line.rowBegin[static_cast<std::size_t>(row)]);
        const long long end = std::min<long long>(endCol, line.rowEnd[static_cast<std::size_t>(row)]);
        if (begin >= end) continue;
        std::uint16_t* dst = target.row(static_cast<int>(y + row)) + (x + begin);
        const std::uint8_t* cov = image.coverage.data() + static_cast<std::size_t>(row) * image.width + begin;
        blendRun(dst, cov, static_cast<int>(end - begin), color);
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
