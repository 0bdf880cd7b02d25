#include "scenery.h"

#include "text.h"

#include "platform/cp1250.h"
#include "world/layout.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace gen {

void sky(Image& img, Rgb top, Rgb bottom, int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
        const double t = (y - y0) / double(std::max(1, y1 - y0 - 1));
        const Rgb c = mix(top, bottom, t);
        for (int x = 0; x < img.width; ++x) {
            // Ordered dither keeps the gradient free of bands after the 16-bit conversion.
            const double d = ((x & 1) * 2 + (y & 1) * 3 - 2.5) / 5.0;
            img.set(x, y, mix(c, d > 0 ? rgb(255, 255, 255) : rgb(0, 0, 0), std::abs(d) * 0.012));
        }
    }
}

void sun(Image& img, double cx, double cy, double r, Rgb core, Rgb glow) {
    const int R = static_cast<int>(r * 3);
    for (int y = static_cast<int>(cy) - R; y <= static_cast<int>(cy) + R; ++y)
        for (int x = static_cast<int>(cx) - R; x <= static_cast<int>(cx) + R; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d > r && d < 3 * r) blend(img, x, y, glow, 0.35 * std::pow(1 - (d - r) / (2 * r), 2));
        }
    fillCircle(img, cx, cy, r, core, true);
}

void cloud(Image& img, double cx, double cy, double s, Rgb light, Rgb shade) {
    const double parts[6][3] = {{-1.1, 0.25, 0.55}, {-0.45, -0.2, 0.75}, {0.35, -0.35, 0.85},
                                {1.1, 0.1, 0.6},    {0.0, 0.3, 0.7},     {-0.6, 0.35, 0.5}};
    for (const auto& p : parts) fillCircle(img, cx + p[0] * s, cy + p[1] * s + s * 0.12, p[2] * s, shade, true);
    for (const auto& p : parts) fillCircle(img, cx + p[0] * s, cy + p[1] * s, p[2] * s * 0.92, light, true);
}

void hills(Image& img, double baseY, double amplitude, double wavelength, int seed, Rgb top, Rgb bottom) {
    for (int x = 0; x < img.width; ++x) {
        const double n = fractalNoise(x / wavelength, 0.5, seed, 3) * 2 - 1;
        const double edge = baseY - amplitude * (0.5 + n);
        for (int y = std::max(0, static_cast<int>(edge)); y < img.height; ++y) {
            const double t = (y - edge) / std::max(1.0, img.height - edge);
            Rgb c = mix(top, bottom, t);
            if (y == static_cast<int>(edge)) blend(img, x, y, c, 1 - (edge - std::floor(edge)));
            else img.set(x, y, c);
        }
        const int e = static_cast<int>(edge) + 1;
        if (e >= 0 && e < img.height) img.set(x, e, mix(top, rgb(255, 255, 255), 0.25));
    }
}

void mountains(Image& img, double baseY, double height, int seed, Rgb rock, Rgb snow) {
    for (int x = 0; x < img.width; ++x) {
        const double n = fractalNoise(x / 90.0, 1.5, seed, 4);
        const double ridge = 1 - std::abs(std::sin(x / 70.0 + seed)) * 0.35;
        const double top = baseY - height * n * ridge;
        for (int y = std::max(0, static_cast<int>(top)); y < img.height; ++y) {
            const double depth = y - top;
            Rgb c = mix(rock, scale(rock, 0.8), std::min(1.0, depth / 120.0));
            const double slope = fractalNoise(x / 90.0 + 0.02, 1.5, seed, 4) - n;
            if (slope > 0) c = scale(c, 0.9);
            if (depth < 14 + 8 * noise01(x / 3, 0, seed)) c = mix(snow, c, depth / 30.0);
            img.set(x, y, c);
        }
    }
}

void roundTree(Image& img, double x, double g, double s, Rgb leaves, Rgb trunk) {
    fillRoundRect(img, x - s * 0.12, g - s * 0.9, s * 0.24, s * 0.9, 2, trunk, true);
    const Rgb dark = scale(leaves, 0.75);
    fillCircle(img, x - s * 0.3, g - s * 0.95, s * 0.38, dark, true);
    fillCircle(img, x + s * 0.3, g - s * 0.95, s * 0.38, dark, true);
    fillCircle(img, x, g - s * 1.25, s * 0.45, dark, true);
    fillCircle(img, x - s * 0.28, g - s * 1.0, s * 0.33, leaves, true);
    fillCircle(img, x + s * 0.26, g - s * 1.02, s * 0.33, leaves, true);
    fillCircle(img, x - s * 0.04, g - s * 1.3, s * 0.38, leaves, true);
    fillCircle(img, x - s * 0.14, g - s * 1.42, s * 0.14, mix(leaves, rgb(255, 255, 220), 0.3), true);
}

void pineTree(Image& img, double x, double g, double s, Rgb needles, Rgb trunk) {
    fillRect(img, static_cast<int>(x - s * 0.06), static_cast<int>(g - s * 0.3), static_cast<int>(std::max(2.0, s * 0.12)),
             static_cast<int>(s * 0.3), trunk);
    for (int k = 0; k < 3; ++k) {
        const double w = s * (0.45 - k * 0.1), top = g - s * (0.7 + k * 0.35), bottom = g - s * (0.2 + k * 0.32);
        fillPolygon(img, {{x, top}, {x + w, bottom}, {x - w, bottom}}, k % 2 ? scale(needles, 0.9) : needles, true);
    }
}

void palm(Image& img, double x, double g, double s) {
    for (int k = 0; k < 10; ++k) {
        const double t = k / 10.0;
        fillEllipse(img, x + std::sin(t * 1.4) * s * 0.25, g - t * s, s * 0.07, s * 0.06,
                    k % 2 ? rgb(150, 100, 50) : rgb(124, 82, 40), true);
    }
    const double tx = x + std::sin(1.4) * s * 0.25, ty = g - s;
    for (int k = 0; k < 6; ++k) {
        const double a = -std::numbers::pi + k * std::numbers::pi / 5;
        const double ex = tx + std::cos(a) * s * 0.55, ey = ty + std::sin(a) * s * 0.25 + s * 0.18;
        drawLine(img, tx, ty, (tx + ex) / 2, ty - s * 0.12, s * 0.08, rgb(40, 140, 50), true);
        drawLine(img, (tx + ex) / 2, ty - s * 0.12, ex, ey, s * 0.06, rgb(50, 160, 60), true);
    }
    fillCircle(img, tx - 3, ty + 4, s * 0.05, rgb(110, 70, 30), true);
    fillCircle(img, tx + 4, ty + 5, s * 0.05, rgb(110, 70, 30), true);
}

void flower(Image& img, double x, double y, Rgb petals) {
    drawLine(img, x, y, x, y + 7, 1.5, rgb(40, 120, 40), true);
    for (int k = 0; k < 5; ++k) {
        const double a = k * 2 * std::numbers::pi / 5;
        fillCircle(img, x + std::cos(a) * 2.6, y + std::sin(a) * 2.6, 2, petals, true);
    }
    fillCircle(img, x, y, 1.6, rgb(255, 220, 60), true);
}

void stars(Image& img, int count, int seed, int yMax) {
    for (int i = 0; i < count; ++i) {
        const int x = static_cast<int>(hash3(i, 1, seed) % layout::kFrameWidth);
        const int y = static_cast<int>(hash3(i, 2, seed) % static_cast<std::uint32_t>(yMax));
        const double b = 0.4 + 0.6 * noise01(i, 3, seed);
        blend(img, x, y, rgb(255, 255, 230), b);
        if (b > 0.85) {
            blend(img, x - 1, y, rgb(255, 255, 230), b * 0.5);
            blend(img, x + 1, y, rgb(255, 255, 230), b * 0.5);
            blend(img, x, y - 1, rgb(255, 255, 230), b * 0.5);
            blend(img, x, y + 1, rgb(255, 255, 230), b * 0.5);
        }
    }
}

void crystal(Image& img, double x, double baseY, double h, double w, Rgb light, Rgb dark, bool down) {
    const double dir = down ? 1 : -1;
    fillPolygon(img,
                {{x - w / 2, baseY},
                 {x + w / 2, baseY},
                 {x + w / 2, baseY + dir * h * 0.75},
                 {x, baseY + dir * h},
                 {x - w / 2, baseY + dir * h * 0.75}},
                dark, true);
    fillPolygon(img, {{x - w / 2, baseY}, {x, baseY}, {x, baseY + dir * h}, {x - w / 2, baseY + dir * h * 0.75}}, light, true);
}

void castle(Image& img, double x, double groundY, double scaleBy, Rgb wall, Rgb roof) {
    const double g = groundY, k = scaleBy;  // short names for the many sums below
    auto tower = [&](double cx, double w, double h) {
        fillRect(img, static_cast<int>(cx - w / 2), static_cast<int>(g - h), static_cast<int>(w), static_cast<int>(h), wall);
        fillPolygon(img, {{cx - w / 2 - 3 * k, g - h}, {cx + w / 2 + 3 * k, g - h}, {cx, g - h - w * 1.2}}, roof, true);
        fillRect(img, static_cast<int>(cx - 2 * k), static_cast<int>(g - h * 0.7), static_cast<int>(4 * k),
                 static_cast<int>(7 * k), rgb(255, 220, 120));
    };
    fillRect(img, static_cast<int>(x - 50 * k), static_cast<int>(g - 40 * k), static_cast<int>(100 * k), static_cast<int>(40 * k),
             wall);
    for (int i = 0; i < 7; ++i)
        fillRect(img, static_cast<int>(x - 50 * k + i * 15 * k), static_cast<int>(g - 46 * k), static_cast<int>(8 * k),
                 static_cast<int>(6 * k), wall);
    tower(x - 50 * k, 22 * k, 70 * k);
    tower(x + 50 * k, 22 * k, 70 * k);
    tower(x, 28 * k, 95 * k);
    fillRoundRect(img, x - 9 * k, g - 22 * k, 18 * k, 22 * k, 8 * k, scale(wall, 0.6), true);
}

void ghostSign(Image& img, char sign, int pointSize, double cx, double cy, Rgb colour, double alpha) {
    const Mask m = croppedMask(textMask(plat::toUtf8(std::string(1, sign)), pointSize));
    const int x0 = static_cast<int>(cx - m.width / 2.0), y0 = static_cast<int>(cy - m.height / 2.0);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            if (m.at(x, y) > 0) blend(img, x0 + x, y0 + y, colour, alpha * m.at(x, y) / 255.0);
}

}  // namespace gen
