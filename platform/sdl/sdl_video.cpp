// Presenting frames on SDL2, two ways, picked when the device starts:
// - through SDL's renderer: the frame goes to a texture that the graphics card scales (sharp
//   up to the largest whole multiple of the frame, smooth beyond it);
// - on our side, straight into the window's own pixels (FrameScaler), where the renderer would
//   scale in software anyway: no graphics driver (virtual machines, remote desktops, a virtual
//   X server) leaves Mesa's software renderer scaling in several threads, several times the
//   work. Only the parts of the frame that changed are scaled and sent.
// KALKULON_PRESENT=renderer or =window picks one of them whatever the machine (to compare them).
#include "platform/frame_scaler.h"
#include "platform/letterbox.h"
#include "platform/platform.h"
#include "platform/report.h"
#include "platform/sdl/library_noise.h"
#include "platform/sdl/sdl_state.h"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace plat {

namespace {

using sdl::state;

// ---- through SDL's renderer ------------------------------------------------------------------

// SDL 2.0.20 (Ubuntu 22.04) crashes setting a texture's scale mode on its OpenGL renderers;
// SDL 2.26 (Debian 12) does it right, and releases between are taken as old. On an old SDL
// the textures keep the mode they were made with (nearest neighbour).
void setScaleMode(SDL_Texture* texture, SDL_ScaleMode mode) {
    static const bool safe = [] {
        SDL_version v;
        SDL_GetVersion(&v);
        return SDL_VERSIONNUM(v.major, v.minor, v.patch) >= SDL_VERSIONNUM(2, 26, 0);
    }();
    if (safe) SDL_SetTextureScaleMode(texture, mode);
}

bool makeRenderer() {
    auto& s = state();
    s.renderer = sdl::quietly([&] {
        SDL_Renderer* made = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        return made != nullptr ? made : SDL_CreateRenderer(s.window, -1, SDL_RENDERER_SOFTWARE);
    });
    if (s.renderer == nullptr) reportFailure("no renderer for the window", SDL_GetError());
    return s.renderer != nullptr;
}

void presentThroughRenderer(const std::uint16_t* pixels, int pitch) {
    auto& s = state();
    SDL_UpdateTexture(s.frame, nullptr, pixels, pitch * 2);
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(s.renderer, &width, &height);
    const Letterbox box = fitFrame(width, height, s.frameWidth, s.frameHeight);
    SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
    SDL_RenderClear(s.renderer);
    const SDL_Rect dst{box.x, box.y, box.width, box.height};
    const bool exact = box.width == box.wholeScale * s.frameWidth;
    if (exact || box.wholeScale == 1) {
        // A whole multiple (or less than twice the frame): one copy, sharp or smooth.
        setScaleMode(s.frame, exact ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
        SDL_RenderCopy(s.renderer, s.frame, nullptr, &dst);
    } else {
        // Sharp pixels up to the largest whole multiple, then a smooth final fit.
        if (s.upscaled == nullptr || s.upscaledFactor != box.wholeScale) {
            const bool failedBefore = s.upscaled == nullptr && s.upscaledFactor == box.wholeScale;
            if (s.upscaled != nullptr) SDL_DestroyTexture(s.upscaled);
            s.upscaled = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_TARGET,
                                           s.frameWidth * box.wholeScale, s.frameHeight * box.wholeScale);
            s.upscaledFactor = box.wholeScale;
            if (s.upscaled != nullptr) setScaleMode(s.upscaled, SDL_ScaleModeLinear);
            else if (!failedBefore)
                reportFailure("the scaling texture could not be made (frames are scaled in one step)", SDL_GetError());
        }
        setScaleMode(s.frame, SDL_ScaleModeNearest);
        if (s.upscaled != nullptr && SDL_SetRenderTarget(s.renderer, s.upscaled) == 0) {
            SDL_RenderCopy(s.renderer, s.frame, nullptr, nullptr);
            SDL_SetRenderTarget(s.renderer, nullptr);
            SDL_RenderCopy(s.renderer, s.upscaled, nullptr, &dst);
        } else {
            SDL_RenderCopy(s.renderer, s.frame, nullptr, &dst);
        }
    }
    SDL_RenderPresent(s.renderer);
}

// ---- into the window's pixels ----------------------------------------------------------------

struct WindowPixels {
    std::optional<FrameScaler> scaler;
    std::vector<std::uint32_t> colours;  // the window pixel of each RGB565 colour
    Uint32 format = SDL_PIXELFORMAT_UNKNOWN;
    const SDL_Surface* surface = nullptr;
    const void* pixels = nullptr;
    int width = 0;
    int height = 0;
    bool redraw = true;  // everything, bars included, at the next present
    std::vector<SDL_Rect> sent;
};

WindowPixels& windowPixels() {
    static auto* w = new WindowPixels;
    return *w;
}

// 32-bit pixels with byte-sized red, green and blue (the X server's usual 24-bit depth).
bool bytesPerChannel(const SDL_PixelFormat& f) {
    return f.BytesPerPixel == 4 && f.Rloss == 0 && f.Gloss == 0 && f.Bloss == 0 && f.Rshift % 8 == 0 && f.Gshift % 8 == 0 &&
           f.Bshift % 8 == 0;
}

bool startWindowPixels() {
    auto& s = state();
    // The window's pixels must be plain memory sent to the window system: asked for without
    // this, SDL would make them a texture of an OpenGL renderer, software scaling and all.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const SDL_Surface* surface = SDL_GetWindowSurface(s.window);
    if (surface == nullptr || !bytesPerChannel(*surface->format)) return false;
    windowPixels() = WindowPixels{};
    s.windowPixels = true;
    return true;
}

void presentToWindowPixels(const std::uint16_t* pixels, int pitch) {
    auto& s = state();
    auto& w = windowPixels();
    SDL_Surface* surface = SDL_GetWindowSurface(s.window);
    if (surface == nullptr || !bytesPerChannel(*surface->format)) {
        w.redraw = true;  // nothing shown this time; the next present tries again
        return;
    }
    // A window that changed size gets new pixels (and SDL a new surface).
    if (surface != w.surface || surface->pixels != w.pixels || surface->w != w.width || surface->h != w.height) {
        w.surface = surface;
        w.pixels = surface->pixels;
        w.width = surface->w;
        w.height = surface->h;
        w.scaler.emplace(surface->w, surface->h, s.frameWidth, s.frameHeight);
        w.redraw = true;
    }
    if (surface->format->format != w.format) {
        const SDL_PixelFormat& f = *surface->format;
        w.colours = windowColours(f.Rshift, f.Gshift, f.Bshift, f.Amask);
        w.format = f.format;
        w.redraw = true;
    }
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
    auto* window = static_cast<std::uint32_t*>(surface->pixels);
    w.sent.clear();
    for (const PixelRect& shows : w.scaler->present(pixels, pitch, w.colours.data(), window, surface->pitch / 4, w.redraw))
        w.sent.push_back({shows.x, shows.y, shows.width, shows.height});
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    if (w.redraw) SDL_UpdateWindowSurface(s.window);
    else if (!w.sent.empty()) SDL_UpdateWindowSurfaceRects(s.window, w.sent.data(), static_cast<int>(w.sent.size()));
    w.redraw = false;
}

// ---- which of the two ------------------------------------------------------------------------

enum class Choice { Renderer, WindowPixels, ByMachine };

Choice askedChoice() {
    const char* asked = std::getenv("KALKULON_PRESENT");
    if (asked == nullptr) return Choice::ByMachine;
    const std::string_view v = asked;
    if (v == "renderer") return Choice::Renderer;
    if (v == "window") return Choice::WindowPixels;
    return Choice::ByMachine;
}

// Without a graphics device node no renderer can be anything but software, and loading Mesa
// only to learn that costs a hundred megabytes and a good part of the start-up.
bool graphicsDevicePresent() {
    std::error_code ignored;
    if (std::filesystem::exists("/dev/nvidiactl", ignored)) return true;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", ignored)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("card", 0) == 0 || name.rfind("renderD", 0) == 0) return true;
    }
    return false;
}

// SDL's own software renderer, or an OpenGL driver that draws on the processor.
bool softwareRenderer(SDL_Renderer* renderer) {
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
    if ((info.flags & SDL_RENDERER_SOFTWARE) != 0) return true;
    if (std::string_view(info.name).rfind("opengl", 0) != 0 || SDL_GL_GetCurrentContext() == nullptr) return false;
    using GetString = const unsigned char* (*)(unsigned int);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned int kGlRenderer = 0x1F01;
    const unsigned char* name = getString != nullptr ? getString(kGlRenderer) : nullptr;
    if (name == nullptr) return false;
    const std::string_view driver = reinterpret_cast<const char*>(name);
    for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast", "SwiftShader"})
        if (driver.find(software) != std::string_view::npos) return true;
    return false;
}

bool startDevice() {
    auto& s = state();
    const Choice asked = askedChoice();
    if (asked == Choice::WindowPixels || (asked == Choice::ByMachine && !graphicsDevicePresent()))
        if (startWindowPixels()) return true;
    if (!makeRenderer()) return false;
    if (asked == Choice::ByMachine && !s.windowPixels && softwareRenderer(s.renderer)) {
        SDL_DestroyRenderer(s.renderer);
        s.renderer = nullptr;
        if (startWindowPixels()) return true;
        return makeRenderer();
    }
    return true;
}

}  // namespace

namespace sdl {

bool drawableSize(int& width, int& height) {
    auto& s = state();
    if (s.renderer != nullptr) return SDL_GetRendererOutputSize(s.renderer, &width, &height) == 0;
    const auto& w = windowPixels();
    if (!s.windowPixels || w.surface == nullptr) return false;
    width = w.width;
    height = w.height;
    return true;
}

void windowExposed() {
    auto& s = state();
    if (!s.windowPixels || s.window == nullptr || windowPixels().surface == nullptr) return;
    // The pixels hold the whole last picture: sent again at once, even while the game naps.
    if (SDL_UpdateWindowSurface(s.window) != 0) windowPixels().redraw = true;
}

}  // namespace sdl

bool videoStart(VideoStep step, int width, int height, int bitsPerPixel) {
    auto& s = state();
    switch (step) {
    case VideoStep::Device: {
        if (s.window == nullptr || !startDevice()) return false;
        SDL_DisplayMode mode;
        if (SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(s.window), &mode) == 0 && mode.refresh_rate > 0)
            s.refreshMs = 1000.0 / mode.refresh_rate;
        return true;
    }
    case VideoStep::CooperativeLevel:
        return s.renderer != nullptr || s.windowPixels;
    case VideoStep::DisplayMode:
        if ((s.renderer == nullptr && !s.windowPixels) || bitsPerPixel != 16) return false;
        if (s.renderer != nullptr) {
            s.frame = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, width, height);
            if (s.frame == nullptr) {
                reportFailure("the frame texture could not be made", SDL_GetError());
                return false;
            }
            setScaleMode(s.frame, SDL_ScaleModeNearest);
        }
        s.frameWidth = width;
        s.frameHeight = height;
        return true;
    }
    return false;
}

bool videoPixelMasks(std::uint32_t& red, std::uint32_t& green, std::uint32_t& blue) {
    if (state().frame == nullptr && !state().windowPixels) return false;
    int bpp = 0;
    Uint32 a = 0;
    return SDL_PixelFormatEnumToMasks(SDL_PIXELFORMAT_RGB565, &bpp, &red, &green, &blue, &a) == SDL_TRUE;
}

bool videoPresent(const std::uint16_t* pixels, int pitch, bool waitForRefresh) {
    auto& s = state();
    if (s.window == nullptr) return false;
    if (s.windowPixels) {
        presentToWindowPixels(pixels, pitch);
    } else {
        if (s.renderer == nullptr || s.frame == nullptr) return false;
        if (waitForRefresh != s.vsync) {
            SDL_RenderSetVSync(s.renderer, waitForRefresh ? 1 : 0);
            s.vsync = waitForRefresh;
        }
        presentThroughRenderer(pixels, pitch);
    }
    if (waitForRefresh) {
        // Without a display that paces the present (no vertical sync), hold the flip to the
        // refresh rate so a fast loop does not spin a core.
        const Uint32 now = SDL_GetTicks();
        const double spent = static_cast<double>(now - s.lastFlip);
        if (spent < s.refreshMs - 1.0) SDL_Delay(static_cast<Uint32>(s.refreshMs - spent));
        s.lastFlip = SDL_GetTicks();
    }
    return true;
}

void videoStop() {
    auto& s = state();
    if (s.upscaled != nullptr) SDL_DestroyTexture(s.upscaled);
    if (s.frame != nullptr) SDL_DestroyTexture(s.frame);
    s.upscaled = nullptr;
    s.frame = nullptr;
    if (s.windowPixels) windowPixels() = WindowPixels{};
    s.windowPixels = false;
}

}  // namespace plat
