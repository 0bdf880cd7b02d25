// The two curtains: two walkers snake over a 20 x 15 grid of 32 x 32 cells, one from the top
// left going down, one from the bottom right going up, one cell each per 12 ms, drawing
// straight onto the visible surface, which is shown after every step.
#include "display/blit.h"
#include "display/display.h"

namespace {

constexpr int kCell = layout::kCurtainSize;
constexpr int kColumns = layout::kFrameWidth / kCell;
constexpr int kRows = layout::kFrameHeight / kCell;
constexpr std::uint32_t kStepMs = 12;
constexpr FrameRect kCurtainTile{layout::kCurtainLeft, layout::kCurtainTop, layout::kCurtainLeft + kCell,
                                 layout::kCurtainTop + kCell};

struct Walker {
    int column;
    int row;
    int step;     // +1 right, -1 left
    int rowStep;  // +1 down, -1 up
    int endRow;   // finished when the row reaches it

    bool finished() const { return row == endRow; }
    void advance() {
        column += step;
        if (column == kColumns) {
            row += rowStep;
            column = kColumns - 1;
            step = -1;
        } else if (column == -1) {
            row += rowStep;
            column = 0;
            step = 1;
        }
    }
};

}  // namespace

void Display::runCurtain(bool reveal) {
    if (!primarySurface || !backBuffer || !buttonsSurface) return;
    Walker a{0, 0, 1, 1, 9};
    Walker b{kColumns - 1, kRows - 1, -1, -1, 6};
    auto drawCell = [&](const Walker& w) {
        const int x = kCell * w.column;
        const int y = kCell * w.row;
        if (reveal) blit::opaque(*primarySurface, x, y, *backBuffer, FrameRect{x, y, x + kCell, y + kCell});
        else blit::opaque(*primarySurface, x, y, *buttonsSurface, kCurtainTile);
    };
    std::uint32_t last = plat::timeMs();
    while (!b.finished()) {
        const std::uint32_t now = plat::timeMs();
        if (now - last >= kStepMs) {  // unsigned difference: a wrapping clock still gets there
            drawCell(a);
            drawCell(b);
            a.advance();
            b.advance();
            last = now;
            showFront();
        }
        if (a.finished()) break;
    }
}

void Display::wipeOut() { runCurtain(false); }

void Display::wipeIn() { runCurtain(true); }
