// The pause frame of the benchmarks as a list of SDL blitter steps, built from the same world
// with the same drawing rules (no clipping of copies, keyed sprite sheets, shadowed text,
// boxes with their bars), so that SDL composes the very frame our own code composes.
#pragma once

#include "display/display.h"
#include "platform/sdl_reference.h"
#include "world/game_world.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bench {

class ReferenceFrame {
public:
    // `d` must have its pictures loaded; the mouse decides which pause entry is lit.
    ReferenceFrame(const Display& d, const GameWorld& w, plat::Point mouse);

    // Composes the frame with SDL; the number of steps SDL refused (0 when all went through).
    int compose() { return sdl_.compose(steps_, target_); }

    const std::uint16_t* pixels() const { return sdl_.pixels(target_); }
    int pitch() const { return sdl_.pitch(target_); }
    std::size_t stepCount() const { return steps_.size(); }
    // True when (x, y) lies under one of the frame's lines of text.
    bool underText(int x, int y) const;

private:
    void copy(int from, int fromWidth, int fromHeight, const FrameRect& source, int x, int y);
    void player(const GameWorld& w);
    void text(int x, int y, std::string_view bytes, std::uint16_t colour);
    void shadowedText(int x, int y, const char* s);
    void number(int x, int y, std::int32_t value);
    void fontText(int x, int y, const char* s);
    void fontNumber(int x, int y, std::int32_t value);
    void box(std::int32_t r, std::int32_t g, std::int32_t b, int x, int y, int width, int height);

    const Display& d_;
    plat::sdlref::Composer sdl_;
    int target_ = -1;
    int background_ = -1;
    int blocks_ = -1;
    int buttons_ = -1;
    int player_ = -1;
    int mirroredPlayer_ = -1;  // the player sheet mirrored once: SDL's blitter cannot mirror
    struct TextSurface {
        int surface = -1;
        int width = 0;
        int height = 0;
    };
    std::map<std::pair<std::string, std::uint16_t>, TextSurface> texts_;
    std::vector<plat::sdlref::Rect> textAreas_;
    std::vector<plat::sdlref::Step> steps_;
};

// How far our frame is from SDL's: pixels that differ, those of them outside every line of text
// (anti-aliased text is blended with SDL's own rounding, so only text may differ), and the
// largest difference in one channel (in that channel's own steps).
struct FrameDifference {
    long pixels = 0;
    long outsideText = 0;
    int largestStep = 0;
};
FrameDifference compareFrames(const std::uint16_t* ours, int oursPitch, const ReferenceFrame& sdl);

}  // namespace bench
