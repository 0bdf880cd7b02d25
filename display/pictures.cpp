// Fixed bytes: the trace lines are the game's own, misspellings included ("przezucenie").
// Pictures from BMP files onto the picture surfaces, at the fixed size of each. A file that is
// missing or cannot be read is not reported: the surface then shows a magenta and black
// checker, so a missing picture is plain to see and never leaves garbage behind.
#include "display/display.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::uint16_t kMagenta = 0xF81F;
constexpr int kCheckerCell = 8;

// The checker has only two kinds of row; each is made once and copied down the surface.
void placeholder(Surface& s, int width, int height) {
    std::vector<std::uint16_t> rows(2 * static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        rows[static_cast<std::size_t>(x)] = ((x / kCheckerCell) & 1) == 0 ? kMagenta : 0;
        rows[static_cast<std::size_t>(width + x)] = rows[static_cast<std::size_t>(x)] ^ kMagenta;
    }
    for (int y = 0; y < height; ++y)
        std::memcpy(s.row(y), rows.data() + static_cast<std::size_t>(((y / kCheckerCell) & 1) * width),
                    static_cast<std::size_t>(width) * sizeof(std::uint16_t));
}

}  // namespace

bool Display::loadBitmap(Surface* target, int width, int height, const char* fileName) {
    if (fileName == nullptr) fileName = "";
    error.debugLog("wczytanie bitmapy...");
    error.debugLog(fileName);
    std::vector<std::uint16_t> picture;
    const std::string_view name(fileName);
    const std::string own = "gfx\\" + language + "\\" + std::string(name.substr(std::min<std::size_t>(4, name.size())));
    const bool ownPicture = language != "pl" && name.starts_with("gfx\\") && width > 0 && height > 0 &&
                            plat::decodePicture(own.c_str(), width, height, picture);
    const bool decoded = ownPicture || (width > 0 && height > 0 && plat::decodePicture(fileName, width, height, picture));
    if (target == nullptr) return false;  // no surface to draw on
    error.debugLog("\n przezucenie na powierzchnie...");
    // The picture goes to the top-left corner; what does not fit the surface is cut off.
    const int w = std::min(width, target->width());
    const int h = std::min(height, target->height());
    if (w <= 0 || h <= 0) return true;
    if (!decoded) {
        placeholder(*target, w, h);
        return true;
    }
    for (int y = 0; y < h; ++y)
        std::memcpy(target->row(y), picture.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
                    static_cast<std::size_t>(w) * sizeof(std::uint16_t));
    return true;
}

bool Display::loadTitleBitmap() {
    return loadBitmap(backgroundSurface.get(), layout::kFrameWidth, layout::kFrameHeight, "gfx\\title.bmp");
}

bool Display::loadHighScoreBitmap() {
    return loadBitmap(backgroundSurface.get(), layout::kFrameWidth, layout::kFrameHeight, "gfx\\hiscore.bmp");
}

bool Display::loadSpriteBitmaps() {
    loadBitmap(buttonsSurface.get(), layout::kSheetWidth, layout::kSheetHeight, "gfx\\butony.bmp");
    return loadBitmap(playerSurface.get(), layout::kHeroSheetWidth, layout::kHeroSheetHeight, "gfx\\gracz1.bmp");
}

bool Display::loadBackgroundBitmap(const char* fileName) {
    return loadBitmap(backgroundSurface.get(), layout::kFrameWidth, layout::kFrameHeight, fileName);
}

bool Display::loadBlocksBitmap(const char* fileName) {
    return loadBitmap(blocksSurface.get(), layout::kBlockSheetWidth, layout::kBlockSheetHeight, fileName);
}
