// The frame scaled on our side straight into a window's own pixels, for machines whose renderer
// would do it in software anyway (no graphics driver: virtual machines, remote desktops, a
// virtual X server). The picture is the one the renderer draws: whole multiples of the frame
// sharp, a smooth fit beyond the largest whole multiple, black bars; it is made in one pass and
// only where the frame changed. Pure functions of the frame and the window's size: no SDL.
#pragma once

#include "platform/letterbox.h"

#include <array>
#include <cstdint>
#include <vector>

namespace plat {

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
};

// The window pixel of each of the 65536 RGB565 colours, for windows of 32-bit pixels whose
// red, green and blue are whole bytes at the given shifts (in any order); `alpha` is or-ed in.
// The channels widen by repeating their top bits, so black stays 0 and white is all ones.
std::vector<std::uint32_t> windowColours(int redShift, int greenShift, int blueShift, std::uint32_t alpha);

class FrameScaler {
public:
    // The frame laid out in a window of windowWidth x windowHeight pixels (fitFrame).
    FrameScaler(int windowWidth, int windowHeight, int frameWidth, int frameHeight);

    const Letterbox& box() const { return box_; }
    // Brings the window's pixels (pitch in pixels) up to `frame` (RGB565, pitch in pixels):
    // everything, bars included, when `everything` or nothing was shown yet; otherwise only the
    // cells in which the frame differs from the one shown before, which it keeps. Returns the
    // window areas written, valid until the next call.
    const std::vector<PixelRect>& present(const std::uint16_t* frame, int framePitch, const std::uint32_t* colours,
                                          std::uint32_t* window, int windowPitch, bool everything);
    // Rewrites the window pixels that show the frame pixels of `changed` (a frame rectangle)
    // through the colour table of windowColours, and returns them: with a smooth fit, a frame
    // pixel reaches one window pixel beyond its own.
    PixelRect draw(const std::uint16_t* frame, int framePitch, const PixelRect& changed, const std::uint32_t* colours,
                   std::uint32_t* window, int windowPitch);
    // Paints the window outside the picture.
    void drawBars(std::uint32_t* window, int windowPitch, std::uint32_t black) const;

private:
    // One window column (or row) of the picture: the frame pixel it shows, and the next one
    // blended in with `weight` / 256 on a smooth fit.
    struct Tap {
        int first = 0;
        int second = 0;
        std::uint32_t weight = 0;
    };
    static std::vector<Tap> taps(int windowPixels, int framePixels, int wholeScale);
    PixelRect windowArea(const PixelRect& changed) const;
    const std::uint32_t* scaledRow(const std::uint16_t* frame, int framePitch, int row, int keep, int from, int to,
                                   const std::uint32_t* colours);

    int windowWidth_;
    int windowHeight_;
    int frameWidth_;
    int frameHeight_;
    Letterbox box_;
    std::vector<Tap> columns_;
    std::vector<Tap> rows_;
    // Two frame rows scaled across the window, the rows a smooth fit blends (valid in one draw).
    std::array<std::vector<std::uint32_t>, 2> rowCache_;
    std::array<int, 2> cachedRow_ = {-1, -1};
    std::vector<std::uint16_t> shown_;  // the frame the window's pixels hold; empty before the first
    std::vector<PixelRect> changed_;    // frame areas to redraw, and the window areas written
    std::vector<PixelRect> written_;
};

// Which parts of the frame differ between two pictures: 32 x 32 cells compared, the changed
// ones joined into rectangles (runs along a row of cells, stacked where runs match).
void changedAreas(const std::uint16_t* before, int beforePitch, const std::uint16_t* after, int afterPitch, int width, int height,
                  std::vector<PixelRect>& areas);

}  // namespace plat
