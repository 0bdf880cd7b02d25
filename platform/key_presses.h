// The keys pressed and not yet taken, oldest first, kept by each keyboard back end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

namespace plat {

class KeyPresses {
public:
    // More presses than a hand can make between two reads; further ones are dropped.
    static constexpr std::size_t kMax = 64;

    void push(std::uint8_t scanCode) {
        if (scanCode != 0 && presses_.size() < kMax) presses_.push_back(scanCode);
    }
    bool take(std::uint8_t& scanCode) {
        if (presses_.empty()) return false;
        scanCode = presses_.front();
        presses_.pop_front();
        return true;
    }
    void clear() { presses_.clear(); }

private:
    std::deque<std::uint8_t> presses_;
};

}  // namespace plat
