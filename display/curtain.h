// The two curtains that change the screen: two walkers snake over a 20 x 15 grid of 32 x 32
// cells, one from the top left going down, one from the bottom right going up, one cell each
// per 12 ms, drawing straight onto the visible surface, which is shown after every step. One
// curtain covers the picture with the tile, the other reveals the back buffer onto it. A
// curtain is driven one look at the clock at a time: it never waits.
#pragma once

#include <cstdint>

class Display;

class Curtain {
public:
    // Starts a curtain over `display`: reveal false covers, true reveals. Reads the clock once;
    // a display without its surfaces has no curtain, which is then done without reading it.
    Curtain(Display& display, bool reveal);

    // One look at the clock: when 12 ms have passed since the last cell (or the start), draws
    // and shows the next cell of each walker. True once the curtain is done.
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
    bool done_ = false;
    Walker a_;
    Walker b_;
    std::uint32_t last_ = 0;  // when the last cell was drawn
    std::uint32_t seen_ = 0;  // the last look at the clock
};
