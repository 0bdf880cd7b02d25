#include "display/curtain.h"

#include "display/blit.h"
#include "display/display.h"

namespace {

constexpr int kCell = layout::kCurtainSize;
constexpr int kColumns = layout::kFrameWidth / kCell;
constexpr int kRows = layout::kFrameHeight / kCell;
constexpr std::uint32_t kStepMs = 12;
constexpr FrameRect kCurtainTile{layout::kCurtainLeft, layout::kCurtainTop, layout::kCurtainLeft + kCell,
                                 layout::kCurtainTop + kCell};

}  // namespace

void Curtain::Walker::advance() {
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

Curtain::Curtain(Display& display, bool reveal, Pace pace)
    : display_(&display), reveal_(reveal), pace_(pace), a_{0, 0, 1, 1, 9}, b_{kColumns - 1, kRows - 1, -1, -1, 6} {
    if (!display.primarySurface || !display.backBuffer || !display.buttonsSurface) {
        done_ = true;
        return;
    }
    last_ = seen_ = plat::timeMs();
}

bool Curtain::spin() {
    if (done_) return true;
    seen_ = plat::timeMs();
    const std::uint32_t due = (seen_ - last_) / kStepMs;  // unsigned: a wrapping clock gets there too
    if (due == 0) return false;
    const std::uint32_t cells = pace_ == Pace::CatchUp ? due : 1;
    for (std::uint32_t cell = 0; cell < cells && !done_; ++cell) {
        drawCell(a_);
        drawCell(b_);
        a_.advance();
        b_.advance();
        done_ = a_.finished() || b_.finished();
    }
    last_ = pace_ == Pace::CatchUp ? last_ + cells * kStepMs : seen_;
    display_->showFront();
    return done_;
}

std::uint32_t Curtain::msToNextCell() const { return kStepMs - (seen_ - last_); }

void Curtain::drawCell(const Walker& w) {
    const int x = kCell * w.column;
    const int y = kCell * w.row;
    Display& d = *display_;
    if (reveal_) blit::opaque(*d.primarySurface, x, y, *d.backBuffer, FrameRect{x, y, x + kCell, y + kCell});
    else blit::opaque(*d.primarySurface, x, y, *d.buttonsSurface, kCurtainTile);
}
