// The obvious alternative to our own surface copies, for the benchmarks only: the same frame
// composed by SDL's own blitter (SDL_BlitSurface, SDL_BlitScaled, SDL_FillRect) on RGB565
// surfaces with colour keys. Text is a cached ARGB surface blended by SDL. Nothing of the game
// uses this; it lives here because only platform code may see SDL.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <memory>
#include <span>

namespace plat::sdlref {

struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

// One step of a frame, run in order by compose.
struct Step {
    enum class Kind { Blit, BlitScaled, Fill };
    Kind kind = Kind::Blit;
    int from = -1;             // source surface (Blit, BlitScaled)
    Rect source;               // source rectangle (Blit, BlitScaled)
    Rect target;               // x, y for Blit; the destination rectangle otherwise
    std::uint16_t colour = 0;  // Fill
};

class Composer {
public:
    Composer();
    ~Composer();
    Composer(const Composer&) = delete;
    Composer& operator=(const Composer&) = delete;

    // An RGB565 surface holding a copy of `pixels` (pitch in pixels); with a colour key when
    // `keyed` is set. Returns its number, -1 when SDL cannot make it.
    int makeSurface(const std::uint16_t* pixels, int width, int height, int pitch, bool keyed, std::uint16_t key);
    // A blank RGB565 surface (a target).
    int makeTarget(int width, int height);
    // A line of text as an ARGB surface: `colour` (RGB565) with the coverage as alpha, blended
    // onto its target by SDL.
    int makeText(const TextImage& image, std::uint16_t colour);

    bool blit(int from, const Rect& source, int to, int x, int y);
    bool blitScaled(int from, const Rect& source, int to, const Rect& target);
    bool fillRect(int to, const Rect& rect, std::uint16_t colour);

    // Runs the steps onto `to`; the number of steps SDL refused.
    int compose(std::span<const Step> steps, int to);

    // The RGB565 pixels of a surface made by makeSurface or makeTarget (pitch in pixels).
    const std::uint16_t* pixels(int surface) const;
    int pitch(int surface) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace plat::sdlref
