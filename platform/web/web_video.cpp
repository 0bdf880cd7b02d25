// Presenting frames in a page: each frame's RGB565 pixels become RGBA in a buffer the page
// puts on the canvas (640 x 480 pixels; the page's style letterboxes it sharp at any size).
#include "platform/web/web_state.h"

#include <emscripten.h>

#include <vector>

namespace plat {

namespace {

struct Video {
    bool device = false;
    bool mode = false;
    std::vector<std::uint32_t> rgba;  // the canvas's pixels, red in the lowest byte
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

bool videoPresent(const std::uint16_t* pixels, int pitch, bool) {
    auto& v = video();
    const auto& s = web::state();
    if (!v.mode || !s.windowAlive) return false;
    std::uint32_t* out = v.rgba.data();
    for (int y = 0; y < s.frameHeight; ++y) {
        const std::uint16_t* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
        for (int x = 0; x < s.frameWidth; ++x) *out++ = v.colours[row[x]];
    }
    EM_ASM(
        {
            const c = Module.canvas;
            if (!Module.kalkulonImage) Module.kalkulonImage = c.getContext('2d').createImageData($1, $2);
            Module.kalkulonImage.data.set(HEAPU8.subarray($0, $0 + $1 * $2 * 4));
            c.getContext('2d').putImageData(Module.kalkulonImage, 0, 0);
            if (Module.kalkulonFrame) Module.kalkulonFrame();
        },
        v.rgba.data(), s.frameWidth, s.frameHeight);
    web::frameShown();
    return true;
}

void videoStop() {
    video().mode = false;
    video().device = false;
}

}  // namespace plat
