#include "draw.h"

namespace gen {

Rgb mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto ch = [t](int p, int q) { return static_cast<int>(std::lround(p + (q - p) * t)); };
    return rgb(ch(red(a), red(b)), ch(green(a), green(b)), ch(blue(a), blue(b)));
}

Rgb scale(Rgb c, double f) {
    auto ch = [f](int v) { return std::clamp(static_cast<int>(std::lround(v * f)), 0, 255); };
    return rgb(ch(red(c)), ch(green(c)), ch(blue(c)));
}

void blend(Image& img, int x, int y, Rgb c, double alpha) {
    if (!img.inside(x, y)) return;
    img.set(x, y, mix(img.at(x, y), c, alpha));
}

std::uint32_t hash3(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

double noise01(int x, int y, int seed) { return (hash3(x, y, seed) & 0xFFFFFF) / double(0xFFFFFF); }

double smoothNoise(double x, double y, int seed) {
    const int xi = static_cast<int>(std::floor(x));
    const int yi = static_cast<int>(std::floor(y));
    const double fx = x - xi;
    const double fy = y - yi;
    const double sx = fx * fx * (3 - 2 * fx);
    const double sy = fy * fy * (3 - 2 * fy);
    const double a = noise01(xi, yi, seed), b = noise01(xi + 1, yi, seed);
    const double c = noise01(xi, yi + 1, seed), d = noise01(xi + 1, yi + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

double fractalNoise(double x, double y, int seed, int octaves) {
    double sum = 0, amp = 0.5, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * smoothNoise(x, y, seed + o * 101);
        total += amp;
        x *= 2;
        y *= 2;
        amp *= 0.5;
    }
    return sum / total;
}

void fillRect(Image& img, int x, int y, int w, int h, Rgb c) {
    for (int j = std::max(y, 0); j < std::min(y + h, img.height); ++j)
        for (int i = std::max(x, 0); i < std::min(x + w, img.width); ++i) img.set(i, j, c);
}

void gradientRect(Image& img, int x, int y, int w, int h, Rgb top, Rgb bottom) {
    for (int j = 0; j < h; ++j) {
        const Rgb c = mix(top, bottom, h > 1 ? j / double(h - 1) : 0.0);
        fillRect(img, x, y + j, w, 1, c);
    }
}

void fillEllipse(Image& img, double cx, double cy, double rx, double ry, Rgb c, bool aa) {
    fillShape(img, static_cast<int>(cx - rx) - 1, static_cast<int>(cy - ry) - 1, static_cast<int>(cx + rx) + 1,
              static_cast<int>(cy + ry) + 1, c, aa, [&](double x, double y) {
                  const double dx = (x - cx) / rx, dy = (y - cy) / ry;
                  return dx * dx + dy * dy <= 1.0;
              });
}

void fillCircle(Image& img, double cx, double cy, double r, Rgb c, bool aa) { fillEllipse(img, cx, cy, r, r, c, aa); }

void fillRoundRect(Image& img, double x, double y, double w, double h, double radius, Rgb c, bool aa) {
    fillShape(img, static_cast<int>(x) - 1, static_cast<int>(y) - 1, static_cast<int>(x + w) + 1, static_cast<int>(y + h) + 1, c,
              aa, [&](double px, double py) {
                  if (px < x || py < y || px > x + w || py > y + h) return false;
                  const double qx = std::max({x + radius - px, px - (x + w - radius), 0.0});
                  const double qy = std::max({y + radius - py, py - (y + h - radius), 0.0});
                  return qx * qx + qy * qy <= radius * radius;
              });
}

void drawLine(Image& img, double x0, double y0, double x1, double y1, double width, Rgb c, bool aa) {
    const double r = width / 2;
    const double dx = x1 - x0, dy = y1 - y0;
    const double len2 = dx * dx + dy * dy;
    fillShape(img, static_cast<int>(std::min(x0, x1) - r) - 1, static_cast<int>(std::min(y0, y1) - r) - 1,
              static_cast<int>(std::max(x0, x1) + r) + 1, static_cast<int>(std::max(y0, y1) + r) + 1, c, aa,
              [&](double px, double py) {
                  double t = len2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0.0;
                  t = std::clamp(t, 0.0, 1.0);
                  const double ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
                  return ex * ex + ey * ey <= r * r;
              });
}

void fillPolygon(Image& img, const std::vector<Pt>& pts, Rgb c, bool aa) {
    if (pts.size() < 3) return;
    double minX = pts[0].x, maxX = pts[0].x, minY = pts[0].y, maxY = pts[0].y;
    for (const Pt& p : pts) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    fillShape(img, static_cast<int>(minX) - 1, static_cast<int>(minY) - 1, static_cast<int>(maxX) + 1, static_cast<int>(maxY) + 1,
              c, aa, [&](double px, double py) {
                  bool in = false;
                  for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                      const Pt& a = pts[i];
                      const Pt& b = pts[j];
                      if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) in = !in;
                  }
                  return in;
              });
}

void blitKeyed(Image& dst, const Image& src, int x, int y, Rgb key) {
    for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i) {
            const Rgb c = src.at(i, j);
            if (c != key) dst.set(x + i, y + j, c);
        }
}

}  // namespace gen
