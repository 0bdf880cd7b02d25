#include "platform/keyboard_source.h"

namespace plat {

bool KeyboardSource::create() {
    if (!input_) return false;
    created_ = true;
    return true;
}

bool KeyboardSource::acquire(bool inFront) {
    if (!created_ || !inFront) return false;
    acquired_ = true;
    return true;
}

void KeyboardSource::release() {
    created_ = false;
    acquired_ = false;
    presses_.clear();
}

KeyRead KeyboardSource::readable(bool inFront) {
    if (!created_) return KeyRead::Failed;
    if (!acquired_ || !inFront) {
        acquired_ = false;
        return KeyRead::InputLost;
    }
    return KeyRead::Ok;
}

void KeyboardSource::leftForeground() {
    acquired_ = false;
    presses_.clear();
}

void KeyboardSource::pressed(std::uint8_t scanCode, char32_t letter) {
    if (created_) presses_.push(scanCode, letter);
}

}  // namespace plat
