// The frame the game draws and where every piece lies in the pictures it cuts them from. The
// game's frame tables, surfaces and drawing read it, and the generator (tools/gen) draws the
// pictures to it, so a piece moved here moves in both.
#pragma once

namespace layout {

// ---- the frame: 640 x 480 pixels of 16 bits ------------------------------------------------
inline constexpr int kFrameWidth = 640;
inline constexpr int kFrameHeight = 480;
inline constexpr int kFrameBits = 16;

// ---- gfx/butony.bmp: a frame-sized sheet, black see-through --------------------------------
inline constexpr int kSheetWidth = kFrameWidth;
inline constexpr int kSheetHeight = kFrameHeight;

// The three title-menu buttons (NOWA GRA, WYNIKI, WYJŚCIE): 12 frames of 100 x 36 each, six
// to a row, two rows per button from the button's top. Frame 5 is the button at rest.
inline constexpr int kButtonWidth = 100;
inline constexpr int kButtonHeight = 36;
inline constexpr int kButtonFrames = 12;
inline constexpr int kButtonsPerRow = 6;
inline constexpr int kButtonRestingFrame = 5;
inline constexpr int kButtonTops[3] = {0, 73, 145};

// The tokens: 9 frames of 34 x 33 in one row per type, where world/tokens.h places each row.
inline constexpr int kTokenWidth = 34;
inline constexpr int kTokenHeight = 33;
inline constexpr int kTokenFrames = 9;

// The bitmap font: 43 glyphs of 12 x 14 in one row from (0, 460), the codes '0' to 'Z'.
inline constexpr int kFontTop = 460;
inline constexpr int kGlyphWidth = 12;
inline constexpr int kGlyphHeight = 14;
inline constexpr int kGlyphCount = 43;
inline constexpr char kFirstGlyphCode = '0';

// The extra letters of the bitmap font (world/letters.h), drawn only in the sheets of the
// languages beside Polish (gfx/<language>/butony.bmp): two to a row of 12 x 14 cells from
// (612, 34), in the free column right of the tokens and below the curtain tile.
inline constexpr int kExtraFontLeft = 612;
inline constexpr int kExtraFontTop = 34;
inline constexpr int kExtraGlyphsPerRow = 2;
constexpr int extraGlyphLeft(int index) { return kExtraFontLeft + (index % kExtraGlyphsPerRow) * kGlyphWidth; }
constexpr int extraGlyphTop(int index) { return kExtraFontTop + (index / kExtraGlyphsPerRow) * kGlyphHeight; }

// The curtain tile: 32 x 32 at (608, 0).
inline constexpr int kCurtainLeft = 608;
inline constexpr int kCurtainTop = 0;
inline constexpr int kCurtainSize = 32;

// ---- gfx/gracz1.bmp: the hero, white see-through -------------------------------------------
// Four rows (standing, walking, rising, falling) of seven poses of 43 x 66.
inline constexpr int kHeroWidth = 43;
inline constexpr int kHeroHeight = 66;
inline constexpr int kHeroColumns = 7;
inline constexpr int kHeroRows = 4;
inline constexpr int kHeroFrames = kHeroColumns * kHeroRows;
inline constexpr int kHeroSheetWidth = 344;
inline constexpr int kHeroSheetHeight = 264;

// ---- gfx/klockiN.bmp: the level's four blocks of 32 x 32 side by side ----------------------
inline constexpr int kBlockSize = 32;
inline constexpr int kBlockKinds = 4;
inline constexpr int kBlockSheetWidth = kBlockKinds * kBlockSize;
inline constexpr int kBlockSheetHeight = kBlockSize;

}  // namespace layout
