#include "platform/letterbox.h"

#include <algorithm>
#include <cstdint>

namespace plat {

Letterbox fitFrame(int windowWidth, int windowHeight, int frameWidth, int frameHeight) {
    Letterbox box;
    if (windowWidth <= 0 || windowHeight <= 0 || frameWidth <= 0 || frameHeight <= 0) return box;
    // Width over height compared in integers: the wider side gets the bars.
    const std::int64_t lhs = static_cast<std::int64_t>(windowWidth) * frameHeight;
    const std::int64_t rhs = static_cast<std::int64_t>(windowHeight) * frameWidth;
    if (lhs > rhs) {  // window wider than the frame: bars left and right
        box.height = windowHeight;
        box.width = static_cast<int>(static_cast<std::int64_t>(windowHeight) * frameWidth / frameHeight);
    } else {
        box.width = windowWidth;
        box.height = static_cast<int>(static_cast<std::int64_t>(windowWidth) * frameHeight / frameWidth);
    }
    box.x = (windowWidth - box.width) / 2;
    box.y = (windowHeight - box.height) / 2;
    box.wholeScale = std::max(1, std::min(windowWidth / frameWidth, windowHeight / frameHeight));
    return box;
}

Point windowToFrame(const Letterbox& box, int windowX, int windowY, int frameWidth, int frameHeight) {
    Point p;
    if (box.width <= 0 || box.height <= 0) return p;
    const std::int64_t fx = (static_cast<std::int64_t>(windowX) - box.x) * frameWidth;
    const std::int64_t fy = (static_cast<std::int64_t>(windowY) - box.y) * frameHeight;
    // Floor division, so positions left of or above the frame clamp to 0 and not round up.
    auto floorDiv = [](std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    p.x = static_cast<int>(std::clamp<std::int64_t>(floorDiv(fx, box.width), 0, frameWidth - 1));
    p.y = static_cast<int>(std::clamp<std::int64_t>(floorDiv(fy, box.height), 0, frameHeight - 1));
    return p;
}

Point pointToFrame(const WindowSize& window, int pointX, int pointY, int frameWidth, int frameHeight) {
    auto toPixels = [](int point, int points, int pixels) {
        return points > 0 ? static_cast<int>(static_cast<std::int64_t>(point) * pixels / points) : point;
    };
    const Letterbox box = fitFrame(window.pixelWidth, window.pixelHeight, frameWidth, frameHeight);
    return windowToFrame(box, toPixels(pointX, window.pointWidth, window.pixelWidth),
                         toPixels(pointY, window.pointHeight, window.pixelHeight), frameWidth, frameHeight);
}

}  // namespace plat
