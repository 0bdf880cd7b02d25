// Pictures, sprites, blocks and the bitmap font, copied from the picture surfaces into the back
// buffer. The level and menu pieces are read from the world handed in.
#include "display/blit.h"
#include "display/display.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kGlyphAdvance = layout::kGlyphWidth;
constexpr int kFirstGlyphCode = layout::kFirstGlyphCode;
constexpr int kGlyphCount = layout::kGlyphCount;  // '0' .. 'Z'

}  // namespace

void Display::drawBackground() {
    if (!backBuffer || !backgroundSurface) return;
    blit::whole(*backBuffer, 0, 0, *backgroundSurface);
}

void Display::drawPlayBackground() {
    if (!backBuffer || !backgroundSurface) return;
    constexpr int kHalf = layout::kFrameWidth / 2;
    halfRect = FrameRect{0, 0, kHalf, layout::kFrameHeight};
    blit::opaque(*backBuffer, 0, 0, *backgroundSurface, halfRect);
    halfRect = FrameRect{kHalf, 0, layout::kFrameWidth, layout::kFrameHeight};
    blit::opaque(*backBuffer, kHalf, 0, *backgroundSurface, halfRect);
}

void Display::drawTitle(const GameWorld& w) {
    drawBackground();
    if (!backBuffer || !buttonsSurface || !w.buttons) return;
    for (std::int32_t i = 0; i < w.buttonCount; ++i) {
        const MenuButton& button = w.buttons[i];
        if (button.frame < 0 || button.frame >= layout::kButtonFrames) continue;  // no such frame
        blit::keyed(*backBuffer, button.x, button.y, *buttonsSurface, button.frames[button.frame]);
    }
}

void Display::drawBlocks(const GameWorld& w) {
    if (!backBuffer || !blocksSurface) return;
    for (int r = 0; r < kGridRows; ++r) {
        for (int c = 0; c < kGridColumns; ++c) {
            const std::int32_t v = w.blocks[r][c];
            if (v < 0 || v >= layout::kBlockKinds) continue;  // empty (the loader turns unknown cells into empty ones)
            blit::opaque(*backBuffer, layout::kBlockSize * c, layout::kBlockSize * r, *blocksSurface, w.blockFrames[v]);
        }
    }
}

void Display::drawTokens(const GameWorld& w) {
    if (!backBuffer || !buttonsSurface) return;
    const std::int32_t count = w.tokenCount < kMaxTokens ? w.tokenCount : kMaxTokens;
    for (std::int32_t i = 0; i < count; ++i) {
        const Token& b = w.tokens[i];
        if (!b.active || b.animFrame < 0 || b.animFrame >= layout::kTokenFrames) continue;
        blit::keyed(*backBuffer, b.x, b.y, *buttonsSurface, b.frames[b.animFrame]);
    }
}

void Display::drawCollected(const GameWorld& w) {
    if (!backBuffer || !buttonsSurface) return;
    const std::int32_t count = w.collectedCount < kCollectedSize ? w.collectedCount : kCollectedSize;
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t which = w.collected[i];
        if (which < 0 || which >= kMaxTokens) continue;
        // The first frame, whatever the token's animation shows.
        blit::keyed(*backBuffer, 60 + 32 * i, 447, *buttonsSurface, w.tokens[which].frames[0]);
    }
}

void Display::drawPlayer(const GameWorld& w) {
    if (!backBuffer || !playerSurface) return;
    // A level file may start the figure anywhere; near the end of the 32-bit range its far
    // edges do not fit, and it is far off the screen anyway.
    const std::int64_t right = std::int64_t{w.playerX} + w.playerWidth;
    const std::int64_t bottom = std::int64_t{w.playerY} + w.playerHeight;
    if (right > INT32_MAX || bottom > INT32_MAX || right < INT32_MIN || bottom < INT32_MIN) return;
    spriteRect = FrameRect{w.playerX, w.playerY, static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom)};
    spriteMirror = w.facingLeft;
    const std::int64_t frame = layout::kHeroColumns * std::int64_t{w.playerState} + w.animFrame;
    if (frame < 0 || frame >= layout::kHeroFrames) return;
    blit::stretched(*backBuffer, spriteRect, *playerSurface, w.playerFrames[frame], true, spriteMirror);
}

void Display::drawFontText(std::int32_t x, std::int32_t y, const char* text) {
    if (!backBuffer || !buttonsSurface || text == nullptr) return;
    const std::size_t n = std::strlen(text);
    const bool extraLetters = language != "pl";
    for (std::size_t k = 0; k < n; ++k) {
        const std::int64_t penX = std::int64_t{x} + kGlyphAdvance * static_cast<std::int64_t>(k);
        if (penX > INT32_MAX) break;  // far beyond the screen, and the rest with it
        if (const int extra = letters::extraGlyph(static_cast<std::uint8_t>(text[k])); extraLetters && extra >= 0) {
            blit::keyed(*backBuffer, static_cast<std::int32_t>(penX), y, *buttonsSurface, extraGlyphs[extra]);
            continue;
        }
        // The font's codes are signed bytes; the seven codes just below '0' fall onto the
        // digits, and anything else outside the 43 glyphs (the space) is an empty cell.
        int index = static_cast<signed char>(text[k]) - kFirstGlyphCode;
        if (index < 0) index += 7;
        if (index < 0 || index >= kGlyphCount) continue;
        blit::keyed(*backBuffer, static_cast<std::int32_t>(penX), y, *buttonsSurface, glyphs[index]);
    }
}

void Display::drawFontNumber(std::int32_t x, std::int32_t y, std::int32_t value) {
    if (!backBuffer || !buttonsSurface) return;
    char buffer[10] = {};
    std::snprintf(buffer, sizeof buffer, "%d", value);  // at most 9 characters fit
    for (int k = 0; k < 10 && buffer[k] != 0; ++k) {
        const int index = static_cast<signed char>(buffer[k]) - kFirstGlyphCode;  // '-' has none
        if (index < 0 || index >= kGlyphCount) continue;
        const std::int64_t penX = std::int64_t{x} + kGlyphAdvance * k;
        if (penX > INT32_MAX) break;
        blit::keyed(*backBuffer, static_cast<std::int32_t>(penX), y, *buttonsSurface, glyphs[index]);
    }
}

void Display::drawHighScores(const GameWorld& w) {
    for (int i = 0; i < kHighScoreRows; ++i) {
        const std::int32_t y = 140 + 20 * i;
        std::memcpy(nameBuffer, w.hiNames[i], kNameLength);  // the ninth byte stays zero
        drawFontText(250, y, nameBuffer);
        drawFontNumber(360, y, w.hiScores[i]);
    }
}
