// Fixed bytes: the trace lines are the game's own, misspellings included ("backbufera").
#include "display/display.h"

#include "platform/cp1250.h"

#include <new>
#include <utility>

Display::Display(ErrorReporter trace) : error(std::move(trace)) {
    error.debugLog("konstruktor...", false);  // each run starts its trace afresh here
    deviceStarted = false;
    primarySurface.reset();
    backBuffer.reset();
    error.debugLog("ok.\n");
    GameWorld::initFrames(error, glyphs, 0, layout::kFontTop, layout::kGlyphCount, layout::kGlyphWidth, layout::kGlyphHeight,
                          layout::kGlyphCount);
    for (int i = 0; i < static_cast<int>(letters::kExtra.size()); ++i)
        extraGlyphs[i] = FrameRect{layout::extraGlyphLeft(i), layout::extraGlyphTop(i),
                                   layout::extraGlyphLeft(i) + layout::kGlyphWidth,
                                   layout::extraGlyphTop(i) + layout::kGlyphHeight};
}

void Display::useLanguage(std::string_view code) {
    language = code;
    textCache_.clear();
}

Display::~Display() {
    error.debugLog("destruktor...");
    release();
    error.debugLog("ok.\n");
}

namespace {

// Trailing zero bits of a mask; a zero mask counts as 0 rather than looping for ever.
std::int32_t maskShift(std::uint32_t mask) {
    if (mask == 0) return 0;
    std::int32_t shift = 0;
    while ((mask & 1u) == 0) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

std::unique_ptr<Surface> makeSurface(int width, int height) {
    try {
        return std::make_unique<Surface>(width, height);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

ErrorCode Display::init(int width, int height, int bitsPerPixel) {
    error.debugLog("okno...");
    if (!plat::windowExists()) {
        error.debugLog("false...\n");
        return ErrorCode::BadWindowHandle;
    }
    error.debugLog("ok.\n");

    error.debugLog("obiekt dd...");
    error.debugLog("tworzenie obiektu dd...");
    if (!plat::videoStart(plat::VideoStep::Device, width, height, bitsPerPixel)) {
        error.debugLog("false...\n");
        error.debugLog("false...\n");
        return ErrorCode::NoVideoDevice;
    }
    deviceStarted = true;
    error.debugLog("ok...\n");
    error.debugLog("ok.\n");

    error.debugLog(plat::cp1250("ustawienie poziomu współpracy..."));
    if (!plat::videoStart(plat::VideoStep::CooperativeLevel, width, height, bitsPerPixel)) {
        error.debugLog("false...\n");
        return ErrorCode::CooperativeLevelFailed;
    }
    error.debugLog("ok...\n");

    error.debugLog(plat::cp1250("ustawienie rozdziałki..."));
    if (!plat::videoStart(plat::VideoStep::DisplayMode, width, height, bitsPerPixel)) {
        error.debugLog("false...\n");
        return ErrorCode::DisplayModeFailed;
    }
    error.debugLog("ok...\n");

    // Without all surfaces nothing can be drawn: report it as missing memory for a surface.
    if (!createSurfaces(width, height)) return ErrorCode::NoMemoryForSurface;

    error.debugLog("pixel info...");
    if (!readPixelFormat()) {
        error.debugLog("false...\n");
        return ErrorCode::PixelFormatFailed;
    }
    error.debugLog("ok...\n");
    return ErrorCode::Ok;
}

bool Display::createSurfaces(int width, int height) {
    error.debugLog(plat::cp1250("tworzenie powierzchni głównej..."));
    primarySurface = makeSurface(width, height);
    if (!primarySurface) {
        error.debugLog("false...\n");
        return false;
    }
    error.debugLog("ok...\n");
    error.debugLog("tworzenie backbufera...");
    backBuffer = makeSurface(width, height);
    if (!backBuffer) {
        primarySurface.reset();
        error.debugLog("false...\n");
        return false;
    }
    error.debugLog("ok...\n");

    struct Plan {
        std::unique_ptr<Surface>* field;
        int width;
        int height;
        const char* log;
    };
    static constexpr auto kTitleLog = plat::cp1250("powierzchnia title screen...");
    const Plan plans[] = {
        {&backgroundSurface, layout::kFrameWidth, layout::kFrameHeight, kTitleLog},
        {&playerSurface, layout::kHeroSheetWidth, layout::kHeroSheetHeight, "powierzchnia pod gracza..."},
        {&blocksSurface, layout::kBlockSheetWidth, layout::kBlockSheetHeight, "powierzchnia pod klocki..."},
        {&buttonsSurface, layout::kSheetWidth, layout::kSheetHeight, "powierzchnia pod butony..."},
    };
    for (const Plan& p : plans) {
        error.debugLog(p.log);
        *p.field = makeSurface(p.width, p.height);
        if (!*p.field) {
            error.debugLog("false...\n");
            return false;
        }
        error.debugLog("ok...\n");
    }
    buttonsSurface->setColorKey(0x0000);
    playerSurface->setColorKey(0xFFFF);  // red, green and blue bits all set
    return true;
}

bool Display::readPixelFormat() {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    if (!primarySurface || !plat::videoPixelMasks(red, green, blue)) return false;
    pixelFormat.redMask = red;
    pixelFormat.greenMask = green;
    pixelFormat.blueMask = blue;
    pixelFormat.redShift = maskShift(red);
    pixelFormat.greenShift = maskShift(green);
    if (pixelFormat.redShift == 11) pixelFormat.greenShift += 1;
    return true;
}

void Display::applyPixelFormat(const PixelFormatInfo& format) {
    boxRedShift = format.redShift;
    boxGreenShift = format.greenShift;
}

std::int32_t Display::flip() {
    if (!primarySurface || !backBuffer) return static_cast<std::int32_t>(ErrorCode::FlipFailed);
    // The flipping chain swaps its two buffers: afterwards the back buffer holds what was
    // on screen.
    std::swap(primarySurface, backBuffer);
    if (!plat::videoPresent(primarySurface->pixels(), primarySurface->pitch(), true))
        return static_cast<std::int32_t>(ErrorCode::FlipFailed);
    return static_cast<std::int32_t>(ErrorCode::Ok);
}

void Display::showFront() {
    if (primarySurface) plat::videoPresent(primarySurface->pixels(), primarySurface->pitch(), false);
}

void Display::release() {
    error.debugLog("exit...");
    if (primarySurface) {
        primarySurface.reset();
        error.debugLog(plat::cp1250("\n usunięcie podstawowej..."));
        backBuffer.reset();
        error.debugLog(plat::cp1250("\n usunięcie bufora..."));
    }
    if (deviceStarted) {
        error.debugLog(plat::cp1250("\n przywrócenie trybu gfx..."));
        plat::videoStop();
        error.debugLog("\n zwolnienie dd7...");
        deviceStarted = false;
    }
}
