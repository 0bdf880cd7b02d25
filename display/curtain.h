// The two curtains that change the screen: two walkers snake over a 20 x 15 grid of 32 x 32
// cells, one from the top left going down, one from the bottom right going up, one cell each
// per 12 ms, drawing straight onto the visible surface, which is shown after every step. One
// curtain covers the picture with the tile, the other reveals the back buffer onto it. A
// curtain is driven one look at the clock at a time: it never waits. A host that looks less
// often than every 12 ms (a page steps once per display refresh) has it catch up with the clock.
#pragma once

#include <cstdint>

class Display;

class Curtain {
public:
    enum class Pace : std::uint8_t {
        CellPerLook,  // at most one cell of each walker a look, however late the look comes
        CatchUp,      // every cell due by the clock a look, shown once: the same wall time
    };

    // Starts a curtain over `display`: reveal false covers, true reveals. Reads the clock once;
    // a display without its surfaces has no curtain, which is then done without reading it.
    Curtain(Display& display, bool reveal, Pace pace = Pace::CellPerLook);

    // One look at the clock: when 12 ms have passed since the last cell (or the start), draws
    // the next cell of each walker (with CatchUp, one for every 12 ms passed) and shows them.
    // True once the curtain is done.
    bool spin();
    bool done() const { return done_; }
    // From the last look at the clock to the next cell: 12 ms just after a cell.
    std::uint32_t msToNextCell() const;

private:
    struct Walker {
        int column;
        int row;
        int step;     // +1 right, -1 left
        int rowStep;  // +1 down, -1 up
        int endRow;   // finished when the row reaches it

        bool finished() const { return row == endRow; }
        void advance();
    };

    void drawCell(const Walker& w);

    Display* display_;
    bool reveal_;
    Pace pace_;
    bool done_ = false;
    Walker a_;
    Walker b_;
    std::uint32_t last_ = 0;  // when the last cell was drawn
    std::uint32_t seen_ = 0;  // the last look at the clock
};
