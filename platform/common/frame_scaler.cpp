#include "platform/frame_scaler.h"

#include <algorithm>
#include <cstring>

namespace plat {

namespace {

constexpr int kCell = 32;  // change detection: cells of the curtains' size

std::uint32_t widen(std::uint32_t value, int bits) { return (value << (8 - bits)) | (value >> (2 * bits - 8)); }

// a * (256 - w) / 256 + b * w / 256 in each byte lane, rounded.
std::uint32_t blend(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
    const std::uint32_t v = 256 - w;
    const std::uint32_t lanes02 = ((a & 0x00FF00FFu) * v + (b & 0x00FF00FFu) * w + 0x00800080u) >> 8;
    const std::uint32_t lanes13 = ((a >> 8) & 0x00FF00FFu) * v + ((b >> 8) & 0x00FF00FFu) * w + 0x00800080u;
    return (lanes02 & 0x00FF00FFu) | (lanes13 & 0xFF00FF00u);
}

}  // namespace

std::vector<std::uint32_t> windowColours(int redShift, int greenShift, int blueShift, std::uint32_t alpha) {
    std::vector<std::uint32_t> colours(65536);
    for (std::uint32_t c = 0; c < 65536; ++c) {
        colours[c] = widen(c >> 11, 5) << redShift | widen((c >> 5) & 63, 6) << greenShift | widen(c & 31, 5) << blueShift |
                     alpha;
    }
    return colours;
}

FrameScaler::FrameScaler(int windowWidth, int windowHeight, int frameWidth, int frameHeight)
    : windowWidth_(std::max(0, windowWidth)),
      windowHeight_(std::max(0, windowHeight)),
      frameWidth_(frameWidth),
      frameHeight_(frameHeight),
      box_(fitFrame(windowWidth, windowHeight, frameWidth, frameHeight)),
      columns_(taps(box_.width, frameWidth, box_.wholeScale)),
      rows_(taps(box_.height, frameHeight, box_.wholeScale)) {
    for (auto& row : rowCache_) row.resize(static_cast<std::size_t>(box_.width));
}

// The renderer's look in one step: the frame repeated `wholeScale` times (nearest pixel), then
// fitted to the window by linear filtering, which samples at each window pixel's centre
// ((i + 0.5) * size / pixels - 0.5 in the repeated picture) and clamps at its edges. On a whole
// multiple every centre falls on a repeated pixel and the picture stays sharp.
std::vector<FrameScaler::Tap> FrameScaler::taps(int windowPixels, int framePixels, int wholeScale) {
    std::vector<Tap> out(static_cast<std::size_t>(std::max(0, windowPixels)));
    if (framePixels <= 0) return out;
    const std::int64_t repeated = static_cast<std::int64_t>(framePixels) * wholeScale;
    const std::int64_t denominator = 2 * static_cast<std::int64_t>(windowPixels);
    for (int i = 0; i < windowPixels; ++i) {
        const std::int64_t numerator = (2 * static_cast<std::int64_t>(i) + 1) * repeated - windowPixels;
        std::int64_t at = 0;
        std::int64_t weight = 0;
        if (numerator > 0) {
            at = numerator / denominator;
            weight = ((numerator % denominator) * 256 + windowPixels) / denominator;  // rounded
            if (weight == 256) {
                ++at;
                weight = 0;
            }
        }
        at = std::min(at, repeated - 1);
        const std::int64_t next = std::min(at + 1, repeated - 1);
        Tap& t = out[static_cast<std::size_t>(i)];
        t.first = static_cast<int>(at / wholeScale);
        t.second = static_cast<int>(next / wholeScale);
        t.weight = t.first == t.second ? 0 : static_cast<std::uint32_t>(weight);
        if (t.weight == 0) t.second = t.first;
    }
    return out;
}

PixelRect FrameScaler::windowArea(const PixelRect& changed) const {
    const int x0 = std::max(changed.x, 0);
    const int y0 = std::max(changed.y, 0);
    const int x1 = std::min(changed.x + changed.width, frameWidth_);
    const int y1 = std::min(changed.y + changed.height, frameHeight_);
    if (x0 >= x1 || y0 >= y1 || columns_.empty() || rows_.empty()) return {};
    // Window pixels whose taps reach into [from, to): taps never go backwards, so they are a run.
    auto span = [](const std::vector<Tap>& taps, int from, int to) {
        const auto first = std::partition_point(taps.begin(), taps.end(), [&](const Tap& t) { return t.second < from; });
        const auto last = std::partition_point(first, taps.end(), [&](const Tap& t) { return t.first < to; });
        return std::pair{static_cast<int>(first - taps.begin()), static_cast<int>(last - taps.begin())};
    };
    const auto [left, right] = span(columns_, x0, x1);
    const auto [top, bottom] = span(rows_, y0, y1);
    PixelRect area{box_.x + left, box_.y + top, right - left, bottom - top};
    // A picture larger than a window smaller than the frame is not possible (fitFrame), but the
    // window bounds are kept all the same.
    const int ax1 = std::min(area.x + area.width, windowWidth_);
    const int ay1 = std::min(area.y + area.height, windowHeight_);
    area.x = std::max(area.x, 0);
    area.y = std::max(area.y, 0);
    area.width = ax1 - area.x;
    area.height = ay1 - area.y;
    return area.empty() ? PixelRect{} : area;
}

// Frame row `row` scaled across window columns [from, to) of the picture, kept in one of two
// slots; the slot of row `keep` is not reused.
const std::uint32_t* FrameScaler::scaledRow(const std::uint16_t* frame, int framePitch, int row, int keep, int from, int to,
                                            const std::uint32_t* colours) {
    for (int slot = 0; slot < 2; ++slot)
        if (cachedRow_[slot] == row) return rowCache_[slot].data();
    const int slot = cachedRow_[0] == keep ? 1 : cachedRow_[1] == keep ? 0 : cachedRow_[0] < cachedRow_[1] ? 0 : 1;
    cachedRow_[slot] = row;
    std::uint32_t* out = rowCache_[slot].data();
    const std::uint16_t* src = frame + static_cast<std::ptrdiff_t>(row) * framePitch;
    for (int x = from; x < to; ++x) {
        const Tap& c = columns_[static_cast<std::size_t>(x)];
        const std::uint32_t first = colours[src[c.first]];
        out[x] = c.weight == 0 ? first : blend(first, colours[src[c.second]], c.weight);
    }
    return out;
}

const std::vector<PixelRect>& FrameScaler::present(const std::uint16_t* frame, int framePitch, const std::uint32_t* colours,
                                                   std::uint32_t* window, int windowPitch, bool everything) {
    const std::size_t frameSize = static_cast<std::size_t>(frameWidth_) * static_cast<std::size_t>(frameHeight_);
    if (shown_.size() != frameSize) {
        shown_.assign(frameSize, 0);
        everything = true;
    }
    if (everything) {
        drawBars(window, windowPitch, colours[0]);
        changed_.assign(1, {0, 0, frameWidth_, frameHeight_});
    } else {
        changedAreas(shown_.data(), frameWidth_, frame, framePitch, frameWidth_, frameHeight_, changed_);
    }
    written_.clear();
    for (const PixelRect& area : changed_) {
        if (const PixelRect shows = draw(frame, framePitch, area, colours, window, windowPitch); !shows.empty())
            written_.push_back(shows);
        for (int y = area.y; y < area.y + area.height; ++y)
            std::memcpy(shown_.data() + static_cast<std::ptrdiff_t>(y) * frameWidth_ + area.x,
                        frame + static_cast<std::ptrdiff_t>(y) * framePitch + area.x, static_cast<std::size_t>(area.width) * 2);
    }
    return written_;
}

PixelRect FrameScaler::draw(const std::uint16_t* frame, int framePitch, const PixelRect& changed, const std::uint32_t* colours,
                            std::uint32_t* window, int windowPitch) {
    const PixelRect area = windowArea(changed);
    if (area.empty()) return area;
    const int from = area.x - box_.x;
    const int to = from + area.width;
    cachedRow_[0] = cachedRow_[1] = -1;  // the frame is another one on every call
    for (int y = area.y; y < area.y + area.height; ++y) {
        const Tap& r = rows_[static_cast<std::size_t>(y - box_.y)];
        std::uint32_t* out = window + static_cast<std::ptrdiff_t>(y) * windowPitch + area.x;
        const std::uint32_t* first = scaledRow(frame, framePitch, r.first, r.second, from, to, colours) + from;
        if (r.weight == 0) {
            std::memcpy(out, first, static_cast<std::size_t>(area.width) * sizeof(std::uint32_t));
            continue;
        }
        const std::uint32_t* second = scaledRow(frame, framePitch, r.second, r.first, from, to, colours) + from;
        for (int x = 0; x < area.width; ++x) out[x] = blend(first[x], second[x], r.weight);
    }
    return area;
}

void FrameScaler::drawBars(std::uint32_t* window, int windowPitch, std::uint32_t black) const {
    for (int y = 0; y < windowHeight_; ++y) {
        std::uint32_t* row = window + static_cast<std::ptrdiff_t>(y) * windowPitch;
        if (y < box_.y || y >= box_.y + box_.height) {
            std::fill(row, row + windowWidth_, black);
        } else {
            std::fill(row, row + box_.x, black);
            std::fill(row + box_.x + box_.width, row + windowWidth_, black);
        }
    }
}

void changedAreas(const std::uint16_t* before, int beforePitch, const std::uint16_t* after, int afterPitch, int width, int height,
                  std::vector<PixelRect>& areas) {
    areas.clear();
    if (width <= 0 || height <= 0) return;
    const int cellColumns = (width + kCell - 1) / kCell;
    std::vector<char> changed(static_cast<std::size_t>(cellColumns));
    std::vector<std::size_t> open;  // areas that reach the row of cells above, by index
    std::vector<std::size_t> stillOpen;
    for (int top = 0; top < height; top += kCell) {
        const int bottom = std::min(top + kCell, height);
        std::fill(changed.begin(), changed.end(), 0);
        for (int y = top; y < bottom; ++y) {
            const std::uint16_t* a = before + static_cast<std::ptrdiff_t>(y) * beforePitch;
            const std::uint16_t* b = after + static_cast<std::ptrdiff_t>(y) * afterPitch;
            if (std::memcmp(a, b, static_cast<std::size_t>(width) * 2) == 0) continue;  // most rows
            for (int c = 0; c < cellColumns; ++c) {
                const int x = c * kCell;
                const int n = std::min(kCell, width - x);
                if (!changed[static_cast<std::size_t>(c)] && std::memcmp(a + x, b + x, static_cast<std::size_t>(n) * 2) != 0)
                    changed[static_cast<std::size_t>(c)] = 1;
            }
        }
        stillOpen.clear();
        for (int c = 0; c < cellColumns;) {
            if (!changed[static_cast<std::size_t>(c)]) {
                ++c;
                continue;
            }
            const int first = c;
            while (c < cellColumns && changed[static_cast<std::size_t>(c)]) ++c;
            const int x = first * kCell;
            const int w = std::min(c * kCell, width) - x;
            // The same run in the row above grows downwards; anything else starts a new area.
            const auto above = std::find_if(open.begin(), open.end(),
                                            [&](std::size_t i) { return areas[i].x == x && areas[i].width == w; });
            if (above != open.end()) {
                areas[*above].height = bottom - areas[*above].y;
                stillOpen.push_back(*above);
            } else {
                areas.push_back({x, top, w, bottom - top});
                stillOpen.push_back(areas.size() - 1);
            }
        }
        open.swap(stillOpen);
    }
}

}  // namespace plat
