// SDL's own blitter composing a frame: RGB565 surfaces, source colour keys set with
// SDL_SetColorKey, keyed and opaque copies by SDL_BlitSurface, the player by SDL_BlitScaled,
// boxes by SDL_FillRect, and cached text lines as ARGB surfaces that SDL blends.
#include "platform/sdl_reference.h"

#include <SDL.h>

#include <cstring>
#include <memory>
#include <span>
#include <vector>

namespace plat::sdlref {

struct Composer::Impl {
    std::vector<SDL_Surface*> surfaces;

    int keep(SDL_Surface* s) {
        if (s == nullptr) return -1;
        surfaces.push_back(s);
        return static_cast<int>(surfaces.size()) - 1;
    }
    SDL_Surface* get(int n) const {
        return n >= 0 && static_cast<std::size_t>(n) < surfaces.size() ? surfaces[static_cast<std::size_t>(n)] : nullptr;
    }
    ~Impl() {
        for (SDL_Surface* s : surfaces) SDL_FreeSurface(s);
    }
};

namespace {

SDL_Rect sdlRect(const Rect& r) { return SDL_Rect{r.x, r.y, r.w, r.h}; }

// RGB565 to the 8-bit channels, with the low bits filled from the high ones.
Uint32 argbOf(std::uint16_t c, std::uint8_t alpha) {
    const Uint32 r5 = (c >> 11) & 31;
    const Uint32 g6 = (c >> 5) & 63;
    const Uint32 b5 = c & 31;
    const Uint32 r = (r5 << 3) | (r5 >> 2);
    const Uint32 g = (g6 << 2) | (g6 >> 4);
    const Uint32 b = (b5 << 3) | (b5 >> 2);
    return static_cast<Uint32>(alpha) << 24 | r << 16 | g << 8 | b;
}

}  // namespace

Composer::Composer() : impl_(std::make_unique<Impl>()) {}

Composer::~Composer() = default;

int Composer::makeSurface(const std::uint16_t* pixels, int width, int height, int pitch, bool keyed, std::uint16_t key) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 16, SDL_PIXELFORMAT_RGB565);
    if (s == nullptr) return -1;
    for (int y = 0; y < height; ++y)
        std::memcpy(static_cast<std::uint8_t*>(s->pixels) + static_cast<std::ptrdiff_t>(y) * s->pitch,
                    pixels + static_cast<std::ptrdiff_t>(y) * pitch, static_cast<std::size_t>(width) * 2);
    if (keyed) SDL_SetColorKey(s, SDL_TRUE, key);
    return impl_->keep(s);
}

int Composer::makeTarget(int width, int height) {
    return impl_->keep(SDL_CreateRGBSurfaceWithFormat(0, width, height, 16, SDL_PIXELFORMAT_RGB565));
}

int Composer::makeText(const TextImage& image, std::uint16_t colour) {
    if (image.width <= 0 || image.height <= 0) return -1;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, image.width, image.height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (s == nullptr) return -1;
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<std::uint8_t*>(s->pixels) + static_cast<std::ptrdiff_t>(y) * s->pitch);
        for (int x = 0; x < image.width; ++x)
            row[x] = argbOf(colour, image.coverage[static_cast<std::size_t>(y) * image.width + x]);
    }
    SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_BLEND);
    return impl_->keep(s);
}

bool Composer::blit(int from, const Rect& source, int to, int x, int y) {
    SDL_Surface* src = impl_->get(from);
    SDL_Surface* dst = impl_->get(to);
    if (src == nullptr || dst == nullptr) return false;
    SDL_Rect s = sdlRect(source);
    SDL_Rect d{x, y, 0, 0};
    return SDL_BlitSurface(src, &s, dst, &d) == 0;
}

bool Composer::blitScaled(int from, const Rect& source, int to, const Rect& target) {
    SDL_Surface* src = impl_->get(from);
    SDL_Surface* dst = impl_->get(to);
    if (src == nullptr || dst == nullptr) return false;
    SDL_Rect s = sdlRect(source);
    SDL_Rect d = sdlRect(target);
    return SDL_BlitScaled(src, &s, dst, &d) == 0;
}

bool Composer::fillRect(int to, const Rect& rect, std::uint16_t colour) {
    SDL_Surface* dst = impl_->get(to);
    if (dst == nullptr) return false;
    const SDL_Rect r = sdlRect(rect);
    return SDL_FillRect(dst, &r, colour) == 0;
}

int Composer::compose(std::span<const Step> steps, int to) {
    int refused = 0;
    for (const Step& step : steps) {
        bool ok = false;
        switch (step.kind) {
        case Step::Kind::Blit:
            ok = blit(step.from, step.source, to, step.target.x, step.target.y);
            break;
        case Step::Kind::BlitScaled:
            ok = blitScaled(step.from, step.source, to, step.target);
            break;
        case Step::Kind::Fill:
            ok = fillRect(to, step.target, step.colour);
            break;
        }
        if (!ok) ++refused;
    }
    return refused;
}

const std::uint16_t* Composer::pixels(int surface) const {
    SDL_Surface* s = impl_->get(surface);
    return s != nullptr ? static_cast<const std::uint16_t*>(s->pixels) : nullptr;
}

int Composer::pitch(int surface) const {
    SDL_Surface* s = impl_->get(surface);
    return s != nullptr ? s->pitch / 2 : 0;
}

}  // namespace plat::sdlref
