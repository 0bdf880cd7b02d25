// The sprite sheet of buttons, tokens, letters and the curtain tile. Black is see-through.
#include "pictures.h"

namespace gen {

Image makeButtonSheet() {
    Image sheet(layout::kSheetWidth, layout::kSheetHeight, rgb(0, 0, 0));
    drawMenuButtons(sheet);
    drawTokens(sheet);
    drawFontGlyphs(sheet);
    drawCurtainTile(sheet);
    return sheet;
}

}  // namespace gen
