// The sprite sheet of buttons, tokens, letters and the curtain tile. Black is see-through.
#include "pictures.h"

namespace gen {

Image makeButtonSheet(const texts::Texts& words) {
    Image sheet(layout::kSheetWidth, layout::kSheetHeight, rgb(0, 0, 0));
    drawMenuButtons(sheet, words);
    drawTokens(sheet);
    drawFontGlyphs(sheet, !words.polish());
    drawCurtainTile(sheet);
    return sheet;
}

}  // namespace gen
