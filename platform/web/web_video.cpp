// Presenting frames in a page: each frame's RGB565 pixels become RGBA in a buffer the page
// puts on the canvas (640 x 480 pixels; the page's style letterboxes it sharp at any size).
// Only the 32 x 32 cells that differ from the frame on the canvas are converted and put there
// (on the title, a line of credits); a frame the same as the last puts nothing.
#include "platform/frame_scaler.h"
#include "platform/web/web_state.h"

#include <emscripten.h>

#include <algorithm>
#include <vector>

namespace plat {

namespace {

struct Video {
    bool device = false;
    bool mode = false;
    std::vector<std::uint32_t> rgba;   // the canvas's pixels, red in the lowest byte
    std::vector<std::uint16_t> shown;  // the frame on the canvas; empty: the canvas holds none
    std::vector<PixelRect> changed;
    std::uint32_t colours[65536] = {};
};

Video& video() {
    static auto* v = new Video;
    return *v;
}

}  // namespace

bool videoStart(VideoStep step, int width, int height, int bitsPerPixel) {
    auto& v = video();
    switch (step) {
    case VideoStep::Device:
        v.device = EM_ASM_INT({ return Module.canvas && Module.canvas.getContext('2d') ? 1 : 0; }) != 0;
        return v.device;
    case VideoStep::CooperativeLevel:
        return v.device;
    case VideoStep::DisplayMode:
        if (!v.device || bitsPerPixel != 16) return false;
        EM_ASM(
            {
                Module.canvas.width = $0;
                Module.canvas.height = $1;
            },
            width, height);
        web::state().frameWidth = width;
        web::state().frameHeight = height;
        v.rgba.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
        v.shown.clear();  // a canvas given its size again is blank
        for (std::uint32_t c = 0; c < 65536; ++c) {
            const std::uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
            v.colours[c] = 0xFF000000u | ((b << 3 | b >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (r << 3 | r >> 2);
        }
        v.mode = true;
        return true;
    }
    return false;
}

bool videoPixelMasks(std::uint32_t& red, std::uint32_t& green, std::uint32_t& blue) {
    if (!video().mode) return false;
    red = 0xF800;
    green = 0x07E0;
    blue = 0x001F;
    return true;
}

namespace {

// Converts the frame's pixels in `area` into the canvas's colours and puts them on the canvas.
void putArea(Video& v, const std::uint16_t* pixels, int pitch, int width, const PixelRect& area) {
    for (int y = area.y; y < area.y + area.height; ++y) {
        const std::uint16_t* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        const auto at = static_cast<std::ptrdiff_t>(y) * width;
        std::copy(row + area.x, row + area.x + area.width, v.shown.begin() + at + area.x);
        std::uint32_t* out = v.rgba.data() + at;
        for (int x = area.x; x < area.x + area.width; ++x) out[x] = v.colours[row[x]];
    }
    EM_ASM(
        {
            const c = Module.canvas;
            if (!Module.kalkulonImage) Module.kalkulonImage = c.getContext('2d').createImageData($1, $6);
            Module.kalkulonImage.data.set(HEAPU8.subarray($0 + $3 * $1 * 4, $0 + ($3 + $5) * $1 * 4), $3 * $1 * 4);
            c.getContext('2d').putImageData(Module.kalkulonImage, 0, 0, $2, $3, $4, $5);
        },
        v.rgba.data(), width, area.x, area.y, area.width, area.height, web::state().frameHeight);
}

}  // namespace

bool videoPresent(const std::uint16_t* pixels, int pitch, bool) {
    auto& v = video();
    const auto& s = web::state();
    if (!v.mode || !s.windowAlive) return false;
    const int width = s.frameWidth;
    const auto size = static_cast<std::size_t>(width) * static_cast<std::size_t>(s.frameHeight);
    // The page asks for a whole frame when the canvas lost what it showed.
    if (EM_ASM_INT({ return Module.kalkulonCanvasLost ? (Module.kalkulonCanvasLost = false, 1) : 0; }) != 0) v.shown.clear();
    if (v.shown.size() == size) {
        changedAreas(v.shown.data(), width, pixels, pitch, width, s.frameHeight, v.changed);
    } else {
        v.shown.assign(size, 0);
        v.changed.assign(1, PixelRect{0, 0, width, s.frameHeight});
    }
    for (const PixelRect& area : v.changed) putArea(v, pixels, pitch, width, area);
    EM_ASM({
        if (Module.kalkulonFrame) Module.kalkulonFrame();
    });
    web::frameShown();
    return true;
}

void videoStop() {
    video().mode = false;
    video().device = false;
}

}  // namespace plat
