// Every picture the game shows, each made by its own file of this folder.
#pragma once

#include "image.h"
#include "lessons/level.h"  // the shared level library
#include "texts/texts.h"    // the captions, in the picture's language
#include "world/layout.h"   // where the game cuts every piece, and the frame
#include "world/tokens.h"   // each token and where its picture lies

namespace gen {

// The dark, not quite black outline of sprites, letters and tokens.
inline constexpr Rgb kOutline = rgb(16, 16, 40);

// "gfx/butony.bmp": menu buttons, tokens, bitmap font, curtain tile on black.
// The pictures with captions are made for each language: Polish, the game's own, in gfx/, the
// others in gfx/<language>/, which has only these (and their sheet the font's extra letters).
void drawMenuButtons(Image& sheet, const texts::Texts& words);  // menu_buttons.cpp
void drawTokens(Image& sheet);                                  // tokens.cpp
void drawFontGlyphs(Image& sheet, bool extraLetters);           // font_glyphs.cpp
void drawCurtainTile(Image& sheet);                             // curtain.cpp
Image makeButtonSheet(const texts::Texts& words);               // button_sheet.cpp

// One token (34 x 33) of a type 1..14 in animation frame 0..8; used by the sheet and
// by the pictures that show tokens as decoration.
void drawToken(Image& img, int x, int y, int type, int frame);

// "gfx/gracz1.bmp": the hero on white.
Image makePlayerSheet();  // player.cpp
// One hero pose into a 43 x 66 box at (x, y) facing right; row and column as in the sheet.
void drawHero(Image& img, int x, int y, int row, int column);

// "gfx/klockiN.bmp" for N = 1..7.
Image makeBlocks(int world);  // blocks.cpp

// The level backgrounds; `world` 1..7 picks the scenery, the level gives the board place.
Image makeBackground(int world, const lvl::Level& level, const texts::Texts& words, bool plain = false);  // backgrounds.cpp
void drawBoard(Image& img, int numberX, int numberY, std::string_view caption);                           // board_hud.cpp
void drawHudStrip(Image& img);                                                                            // board_hud.cpp

Image makeTitle(const texts::Texts& words);      // title.cpp
Image makeHighScore(const texts::Texts& words);  // hiscore.cpp

}  // namespace gen
