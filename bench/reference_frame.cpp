#include "bench/reference_frame.h"

#include "display/blit.h"
#include "platform/cp1250.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {

namespace {

using plat::sdlref::Rect;
using plat::sdlref::Step;

constexpr std::uint16_t kWhite = 0xFFFF;
constexpr std::uint16_t kBlack = 0x0000;

bool startInBounds(int x, int y) { return x >= 0 && y >= 0 && x <= 640 - 12 && y <= 480 - 12; }

Rect rectOf(const FrameRect& r) { return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top}; }

// A copy of the player sheet turned left to right.
std::vector<std::uint16_t> mirrored(const Surface& s) {
    std::vector<std::uint16_t> out(static_cast<std::size_t>(s.width()) * static_cast<std::size_t>(s.height()));
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) out[static_cast<std::size_t>(y) * s.width() + x] = s.at(s.width() - 1 - x, y);
    return out;
}

}  // namespace

ReferenceFrame::ReferenceFrame(const Display& d, const GameWorld& w, plat::Point mouse) : d_(d) {
    const Surface& bg = *d.backgroundSurface;
    const Surface& bl = *d.blocksSurface;
    const Surface& bu = *d.buttonsSurface;
    const Surface& pl = *d.playerSurface;
    target_ = sdl_.makeTarget(640, 480);
    background_ = sdl_.makeSurface(bg.pixels(), bg.width(), bg.height(), bg.pitch(), false, 0);
    blocks_ = sdl_.makeSurface(bl.pixels(), bl.width(), bl.height(), bl.pitch(), false, 0);
    buttons_ = sdl_.makeSurface(bu.pixels(), bu.width(), bu.height(), bu.pitch(), true, bu.colorKey());
    player_ = sdl_.makeSurface(pl.pixels(), pl.width(), pl.height(), pl.pitch(), true, pl.colorKey());
    const std::vector<std::uint16_t> turned = mirrored(pl);
    mirroredPlayer_ = sdl_.makeSurface(turned.data(), pl.width(), pl.height(), pl.width(), true, pl.colorKey());
    if (target_ < 0 || background_ < 0 || blocks_ < 0 || buttons_ < 0 || player_ < 0 || mirroredPlayer_ < 0) {
        std::fprintf(stderr, "kalkulon bench: SDL could not make the reference surfaces\n");
        std::exit(2);
    }

    // The level and the head-up display.
    copy(background_, 640, 480, FrameRect{0, 0, 320, 480}, 0, 0);
    copy(background_, 640, 480, FrameRect{320, 0, 640, 480}, 320, 0);
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridColumns; ++c) {
            const std::int32_t v = w.blocks[r][c];
            if (v >= 0 && v <= 3) copy(blocks_, 128, 32, w.blockFrames[v], 32 * c, 32 * r);
        }
    for (int i = 0; i < std::min(w.tokenCount, kMaxTokens); ++i) {
        const Token& b = w.tokens[i];
        if (b.active && b.animFrame >= 0 && b.animFrame < 9) copy(buttons_, 640, 480, b.frames[b.animFrame], b.x, b.y);
    }
    for (int i = 0; i < std::min(w.collectedCount, kCollectedSize); ++i) {
        const std::int32_t which = w.collected[i];
        if (which >= 0 && which < kMaxTokens) copy(buttons_, 640, 480, w.tokens[which].frames[0], 60 + 32 * i, 447);
    }
    player(w);
    shadowedText(0, 5, "FPS:");
    number(50, 5, 60);
    fontNumber(28, 458, w.lives);
    fontText(568, 448, plat::cp1250("PUNKTY"));
    fontNumber(573, 465, w.score);
    number(w.targetX, w.targetY, w.target);

    // The pause menu with the entry under the mouse lit.
    box(10, 10, 110, 220, 165, 200, 150);
    int selected = -1;
    if (mouse.x > 250 && mouse.x < 400)
        for (int i = 0; i < 3; ++i)
            if (mouse.y > 195 + 40 * i && mouse.y < 225 + 40 * i) selected = i;
    for (int i = 0; i < 3; ++i) {
        const std::int32_t shade = i == selected ? 90 : 20;
        box(shade, shade, shade, 238, 195 + 40 * i, 165, 30);
    }
    fontText(293, 175, plat::cp1250("PAUZA"));
    shadowedText(275, 203, plat::cp1250("Powrót do gry"));
    shadowedText(242, 243, plat::cp1250("Zacznij poziom od nowa"));
    shadowedText(293, 283, plat::cp1250("Wyjście"));
}

void ReferenceFrame::copy(int from, int fromWidth, int fromHeight, const FrameRect& source, int x, int y) {
    // A copy that does not fit wholly is left out, as our copies leave it out.
    if (!blit::rectInside(source, fromWidth, fromHeight)) return;
    const FrameRect target{x, y, x + source.right - source.left, y + source.bottom - source.top};
    if (!blit::rectInside(target, 640, 480)) return;
    steps_.push_back(Step{Step::Kind::Blit, from, rectOf(source), Rect{x, y, 0, 0}, 0});
}

void ReferenceFrame::player(const GameWorld& w) {
    const FrameRect target{w.playerX, w.playerY, w.playerX + w.playerWidth, w.playerY + w.playerHeight};
    const std::int32_t frame = 7 * w.playerState + w.animFrame;
    if (frame < 0 || frame >= 28 || !blit::rectInside(target, 640, 480)) return;
    FrameRect source = w.playerFrames[frame];
    if (!blit::rectInside(source, 344, 264)) return;
    int sheet = player_;
    if (w.facingLeft) {
        source = FrameRect{344 - source.right, source.top, 344 - source.left, source.bottom};
        sheet = mirroredPlayer_;
    }
    steps_.push_back(Step{Step::Kind::BlitScaled, sheet, rectOf(source), rectOf(target), 0});
}

void ReferenceFrame::text(int x, int y, std::string_view bytes, std::uint16_t colour) {
    if (bytes.empty()) return;
    auto key = std::make_pair(std::string(bytes), colour);
    auto it = texts_.find(key);
    if (it == texts_.end()) {
        plat::TextImage image;
        plat::rasteriseText(bytes.data(), static_cast<int>(bytes.size()), image);
        it = texts_.emplace(key, TextSurface{sdl_.makeText(image, colour), image.width, image.height}).first;
    }
    const TextSurface& t = it->second;
    if (t.surface < 0) return;  // nothing to draw
    steps_.push_back(Step{Step::Kind::Blit, t.surface, Rect{0, 0, t.width, t.height}, Rect{x, y, 0, 0}, 0});
    textAreas_.push_back(Rect{x, y, t.width, t.height});
}

bool ReferenceFrame::underText(int x, int y) const {
    return std::any_of(textAreas_.begin(), textAreas_.end(),
                       [x, y](const Rect& r) { return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h; });
}

void ReferenceFrame::shadowedText(int x, int y, const char* s) {
    if (!startInBounds(x, y)) return;
    text(x - 2, y - 1, s, kBlack);
    text(x, y, s, kWhite);
}

void ReferenceFrame::number(int x, int y, std::int32_t value) {
    if (!startInBounds(x, y)) return;
    char buffer[10] = {};
    std::snprintf(buffer, sizeof buffer, "%d", value);
    text(x, y, buffer, kWhite);
}

void ReferenceFrame::fontText(int x, int y, const char* s) {
    const std::size_t n = std::strlen(s);
    for (std::size_t k = 0; k < n; ++k) {
        int index = static_cast<signed char>(s[k]) - 48;
        if (index < 0) index += 7;
        if (index >= 0 && index < 43) copy(buttons_, 640, 480, d_.glyphs[index], x + 12 * static_cast<int>(k), y);
    }
}

void ReferenceFrame::fontNumber(int x, int y, std::int32_t value) {
    char buffer[10] = {};
    std::snprintf(buffer, sizeof buffer, "%d", value);
    for (int k = 0; k < 10 && buffer[k] != 0; ++k) {
        const int index = static_cast<signed char>(buffer[k]) - 48;
        if (index >= 0 && index < 43) copy(buttons_, 640, 480, d_.glyphs[index], x + 12 * k, y);
    }
}

void ReferenceFrame::box(std::int32_t r, std::int32_t g, std::int32_t b, int x, int y, int width, int height) {
    const auto pack = [this](std::uint32_t rr, std::uint32_t gg, std::uint32_t bb) {
        return static_cast<std::uint16_t>(((rr << (d_.boxRedShift & 31)) | (gg << (d_.boxGreenShift & 31)) | bb) & 0xFFFFu);
    };
    const std::uint16_t fill = pack(static_cast<std::uint32_t>(r), static_cast<std::uint32_t>(g), static_cast<std::uint32_t>(b));
    const std::uint16_t bar = pack(255, 255, 255);
    if (width <= 0) return;
    if (height > 0) steps_.push_back(Step{Step::Kind::Fill, -1, {}, Rect{x, y, width, height}, fill});
    steps_.push_back(Step{Step::Kind::Fill, -1, {}, Rect{x, y, width, 2}, bar});
    steps_.push_back(Step{Step::Kind::Fill, -1, {}, Rect{x, y + height, width, 2}, bar});
}

FrameDifference compareFrames(const std::uint16_t* ours, int oursPitch, const ReferenceFrame& sdl) {
    FrameDifference out;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const int p = ours[static_cast<std::ptrdiff_t>(y) * oursPitch + x];
            const int q = sdl.pixels()[static_cast<std::ptrdiff_t>(y) * sdl.pitch() + x];
            if (p == q) continue;
            ++out.pixels;
            if (!sdl.underText(x, y)) ++out.outsideText;
            const int steps[] = {std::abs((p >> 11) - (q >> 11)), std::abs(((p >> 5) & 63) - ((q >> 5) & 63)),
                                 std::abs((p & 31) - (q & 31))};
            out.largestStep = std::max({out.largestStep, steps[0], steps[1], steps[2]});
        }
    return out;
}

}  // namespace bench
