// Frames counted over windows of at least one second. The window starts at time 0, not at
// the first frame, so the very first frame closes it and the value shown is 1 for the first
// second.
#pragma once

#include <cstdint>

class FrameRate {
public:
    // Counts a frame at `now` and returns the value to show.
    std::uint32_t frame(std::uint32_t now) {
        ++counted_;
        if (now - windowStart_ >= 1000) {
            shown_ = counted_;
            windowStart_ = now;
            counted_ = 0;
        }
        return shown_;
    }
    std::uint32_t shown() const { return shown_; }

private:
    std::uint32_t counted_ = 0;
    std::uint32_t shown_ = 0;
    std::uint32_t windowStart_ = 0;
};
