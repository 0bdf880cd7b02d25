// The video object: the display device, the visible surface with its one back buffer, the four
// picture surfaces, and every drawing operation of the game.
#pragma once

#include "display/surface.h"
#include "platform/platform.h"
#include "shell/error.h"
#include "world/game_world.h"
#include "world/letters.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Pixel layout of the visible surface.
struct PixelFormatInfo {
    std::int32_t redShift = 0;
    std::int32_t greenShift = 0;
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
};

class Display {
public:
    // The display whose trace goes where `trace` says (nowhere unless told); its construction
    // starts the trace afresh.
    explicit Display(ErrorReporter trace = {});
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // ---- device and surfaces ----------------------------------------------------------------
    ErrorCode init(int width, int height, int bitsPerPixel);
    std::int32_t flip();
    void release();
    void applyPixelFormat(const PixelFormatInfo& format);

    // ---- language -------------------------------------------------------------------------------
    // Draws for a language other than Polish ("pl", the game as it always was): its platform
    // texts are UTF-8, its bitmap-font texts may hold the extra letters, and each picture of
    // gfx/ it has its own of is read from gfx/<language>/ instead (the trace names the game's
    // own file all the same).
    void useLanguage(std::string_view code);

    // ---- pictures ---------------------------------------------------------------------------
    bool loadBitmap(Surface* target, int width, int height, const char* fileName);
    bool loadTitleBitmap();
    bool loadHighScoreBitmap();
    bool loadSpriteBitmaps();
    bool loadBackgroundBitmap(const char* fileName);
    bool loadBlocksBitmap(const char* fileName);

    // ---- drawing ----------------------------------------------------------------------------
    void drawBackground();
    void drawPlayBackground();
    // The pieces of a world: the title with its buttons, the level, the figure, the table.
    void drawTitle(const GameWorld& w);
    void drawBlocks(const GameWorld& w);
    void drawTokens(const GameWorld& w);
    void drawCollected(const GameWorld& w);
    void drawPlayer(const GameWorld& w);
    void drawFontText(std::int32_t x, std::int32_t y, const char* text);
    void drawFontNumber(std::int32_t x, std::int32_t y, std::int32_t value);
    void drawHighScores(const GameWorld& w);
    void drawText(std::int32_t x, std::int32_t y, const char* text);
    void drawNumber(std::int32_t x, std::int32_t y, std::int32_t value);
    void drawFrontText(std::int32_t x, std::int32_t y, const char* text);
    // How wide drawText draws `text`, in pixels (0 with no font at hand).
    std::int32_t textWidth(const char* text);
    std::int32_t drawBox(std::int32_t r, std::int32_t g, std::int32_t b, std::int32_t x, std::int32_t y, std::int32_t width,
                         std::int32_t height);
    // Shows the visible surface at once (the curtains draw straight onto it).
    void showFront();

    // ---- fields -----------------------------------------------------------------------------
    ErrorReporter error;
    char nameBuffer[9] = {};
    FrameRect glyphs[layout::kGlyphCount] = {};
    FrameRect extraGlyphs[letters::kExtra.size()] = {};
    std::string language = "pl";
    FrameRect halfRect = {};
    FrameRect spriteRect = {};
    bool spriteMirror = false;  // the player copy mirrors left to right
    PixelFormatInfo pixelFormat;
    bool deviceStarted = false;  // the display device exists
    std::unique_ptr<Surface> primarySurface;
    std::unique_ptr<Surface> backBuffer;
    std::unique_ptr<Surface> backgroundSurface;
    std::unique_ptr<Surface> playerSurface;
    std::unique_ptr<Surface> blocksSurface;
    std::unique_ptr<Surface> buttonsSurface;

    // Shifts made current by applyPixelFormat (both 0 before).
    std::int32_t boxRedShift = 0;
    std::int32_t boxGreenShift = 0;

private:
    bool createSurfaces(int width, int height);
    bool readPixelFormat();
    // Text output in a colour onto a surface, transparent, cut at the surface's edges.
    void textOut(Surface& target, std::int32_t x, std::int32_t y, const char* text, int length, std::uint16_t color);

    // Rendered lines by their bytes; looked up without making a string.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    // A rendered line and, for each of its rows, the columns from its first covered pixel to
    // just past its last (equal when the row is empty), so drawing skips the empty margins.
    struct RenderedText {
        plat::TextImage image;
        std::vector<int> rowBegin;
        std::vector<int> rowEnd;
    };
    std::unordered_map<std::string, RenderedText, TextHash, std::equal_to<>> textCache_;
    // The line of `bytes` rendered, from the cache or rendered into it.
    const RenderedText& rendered(std::string_view bytes);
};
