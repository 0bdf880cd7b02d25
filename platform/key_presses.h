// The keys pressed and not yet taken, oldest first, kept by each keyboard back end, with the
// desktop's repeats of a held key among them.
#pragma once

#include "platform/platform.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>

namespace plat {

class KeyPresses {
public:
    // More presses than a hand can make between two reads; further ones are dropped.
    static constexpr std::size_t kMax = 64;

    void push(std::uint8_t scanCode, char32_t letter = 0) { add({scanCode, false, letter}); }
    // A repeat waits at most once: repeats coming faster than they are taken are one.
    void pushRepeat(std::uint8_t scanCode, char32_t letter = 0) {
        if (std::none_of(presses_.begin(), presses_.end(), [&](const KeyPress& p) { return p.scanCode == scanCode && p.repeat; }))
            add({scanCode, true, letter});
    }
    // A key let go repeats no more: a repeat still waiting is dropped.
    void released(std::uint8_t scanCode) {
        std::erase_if(presses_, [&](const KeyPress& p) { return p.scanCode == scanCode && p.repeat; });
    }
    bool take(KeyPress& press) {
        if (presses_.empty()) return false;
        press = presses_.front();
        presses_.pop_front();
        return true;
    }
    void clear() { presses_.clear(); }

private:
    void add(KeyPress press) {
        if (press.scanCode != 0 && presses_.size() < kMax) presses_.push_back(press);
    }
    std::deque<KeyPress> presses_;
};

}  // namespace plat
