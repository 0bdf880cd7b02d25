#include "text.h"

#include "draw.h"
#include "platform/sdl_text.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace gen {

Mask textMask(std::string_view utf8, int pointSize) {
    plat::TextImage ti;
    Mask m;
    if (!plat::sdl::rasteriseTtfUtf8(std::string(utf8), ti, pointSize)) return m;
    m.width = ti.width;
    m.height = ti.height;
    m.alpha = ti.coverage;
    return m;
}

Mask croppedMask(const Mask& m) {
    int x0 = m.width, y0 = m.height, x1 = -1, y1 = -1;
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            if (m.at(x, y) > 24) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
    Mask out;
    if (x1 < 0) return out;
    out.width = x1 - x0 + 1;
    out.height = y1 - y0 + 1;
    out.alpha.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) out.alpha[static_cast<std::size_t>(y) * out.width + x] = m.at(x0 + x, y0 + y);
    return out;
}

Mask dilate(const Mask& m, int radius) {
    Mask out;
    out.width = m.width + 2 * radius;
    out.height = m.height + 2 * radius;
    out.alpha.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            int best = 0;
            for (int dy = -radius; dy <= radius; ++dy)
                for (int dx = -radius; dx <= radius; ++dx) {
                    if (dx * dx + dy * dy > radius * radius + radius) continue;
                    best = std::max<int>(best, m.at(x - radius + dx, y - radius + dy));
                }
            out.alpha[static_cast<std::size_t>(y) * out.width + x] = static_cast<std::uint8_t>(best);
        }
    return out;
}

void drawMask(Image& img, const Mask& mask, int x, int y, const TextStyle& style) {
    const int r = style.outlineRadius;
    if (style.shadow > 0) {
        const Mask grown = dilate(mask, r);
        for (int j = 0; j < grown.height; ++j)
            for (int i = 0; i < grown.width; ++i) {
                const int a = grown.at(i, j);
                if (a > 0) blend(img, x - r + i + style.shadow, y - r + j + style.shadow, rgb(10, 10, 30), a / 255.0 * 0.6);
            }
    }
    if (r > 0) {
        const Mask grown = dilate(mask, r);
        for (int j = 0; j < grown.height; ++j)
            for (int i = 0; i < grown.width; ++i) {
                const int a = grown.at(i, j);
                if (style.hardOutline) {
                    if (a >= 100) img.set(x - r + i, y - r + j, style.outline);
                } else if (a > 0) {
                    blend(img, x - r + i, y - r + j, style.outline, a / 255.0);
                }
            }
    }
    for (int j = 0; j < mask.height; ++j) {
        const Rgb c = mix(style.top, style.bottom, mask.height > 1 ? j / double(mask.height - 1) : 0.0);
        for (int i = 0; i < mask.width; ++i) {
            const int a = mask.at(i, j);
            if (a > 0) blend(img, x + i, y + j, c, a / 255.0);
        }
    }
}

int drawTextCentred(Image& img, std::string_view utf8, int pointSize, double cx, double cy, const TextStyle& style) {
    const Mask m = croppedMask(textMask(utf8, pointSize));
    if (m.width == 0) return 0;
    drawMask(img, m, static_cast<int>(std::lround(cx - m.width / 2.0)), static_cast<int>(std::lround(cy - m.height / 2.0)),
             style);
    return m.width;
}

}  // namespace gen
