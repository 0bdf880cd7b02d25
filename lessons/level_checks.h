// What only a whole level source can tell: where its tokens and the hero's start lie against
// the play area and the grid's blocks. Each mistake names the line it came from.
#pragma once

#include "lessons/language.h"
#include "lessons/level_text.h"

#include <string>
#include <vector>

namespace lvl {

// `places` says where each token lies as the source wrote it; with `gridKnown` false (a grid
// missing or broken) only the play area is checked.
void checkTokenPlaces(const LevelSource& source, const std::vector<Text>& places, bool gridKnown, const std::string& file,
                      std::vector<Problem>& problems);
void checkStart(const LevelSource& source, const Text& place, bool gridKnown, const std::string& file,
                std::vector<Problem>& problems);

}  // namespace lvl
