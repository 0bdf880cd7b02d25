// The layouts of practice levels: grids drawn for the levels of a pack, from a step on level 1
// to a climb of eight cells or more on level 7, each with its start, its "=" at the end of the
// way and places for tokens. A token's place hangs three cells above its ground, where only a
// jump takes it: never over the foot of a step (where the way needs a jump), nor beside a
// higher block, nor where the figure passes falling, so a child takes the tokens in any order
// and leaves the others. Every layout is proven fair with every place filled.
#pragma once

#include "lessons/level.h"

#include <utility>
#include <vector>

namespace lessons {

struct Layout {
    const char* name;
    int level;            // the level of a pack it is drawn for, 1 to 7
    const char* picture;  // 14 lines of 20 cells: . # X = O as in a level source, S the cell of
                          // the hero's feet at the start, E the "=", a to l the token places
};
// Three or more for each level of a pack.
const std::vector<Layout>& layouts();

using Cell = std::pair<int, int>;  // column, row

// A layout read: the blocks and the start in a level with no tokens yet, and where they go.
struct Shape {
    lvl::Level level;
    std::vector<Cell> places;  // a, b, c ...: the order of the way
    Cell equals;
};
Shape shapeOf(const Layout& layout);

// A token of `type` drawn centred on `cell`.
lvl::Token tokenAt(Cell cell, int type);

}  // namespace lessons
