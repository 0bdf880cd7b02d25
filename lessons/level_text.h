// The level source: the text form of a level that people write (tools/levels/level1.txt
// explains it), read with a message for every mistake, and written back.
#pragma once

#include "lessons/language.h"
#include "lessons/level.h"

#include <string>
#include <string_view>
#include <vector>

namespace lvl {

// A background picture the game has installed, with the place of the board painted on it and
// the block picture that goes with it.
struct Scenery {
    std::string background;
    std::int32_t boardX = 0;
    std::int32_t boardY = 0;
    int blockSheet = 0;
};

// A level source as read, with the lines its parts came from.
struct LevelSource {
    Level level;
    std::string title;               // "title ..." (optional)
    std::vector<std::string> notes;  // "note ..." lines, for the teacher
    int lineCount = 0;
    int boardLine = 0;
    int startLine = 0;
    int gridLine = 0;  // the "grid" line; row r is on gridLine + 1 + r
    std::vector<int> tokenLines;
};

// The block a grid letter stands for: -1 for '.', 0 to 3 for # X = O, -2 for any other.
int cellValue(char c);

// Reads a level source. With `installed`, the level is a lesson level: its background must be
// one of the installed pictures, the board is where that picture shows it (the position may be
// left out), and "blocks N" may pick another block picture. Without, it is a level of the game
// itself, whose background the generator draws: any picture name, the board's place given.
// Every mistake found is appended to `problems` as "file:line"; true when there is none.
bool readLevelText(std::string_view text, const std::string& file, const std::vector<Scenery>* installed, LevelSource& source,
                   std::vector<Problem>& problems);

// The source text of a level, with its title and notes, that reads back to the same level.
std::string writeLevelText(const LevelSource& source);

}  // namespace lvl
