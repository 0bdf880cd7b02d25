// One animation frame or glyph inside a picture surface, or a place on one.
#pragma once

#include <cstdint>

// Right and bottom are exclusive.
struct FrameRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const FrameRect&, const FrameRect&) = default;
};
