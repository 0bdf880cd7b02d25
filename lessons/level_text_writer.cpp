// The level source of a level: the words the reader takes, in the order a person writes them.
#include "lessons/level_text.h"

#include "lessons/level_words.h"

#include <string>

namespace lvl {

std::string writeLevelText(const LevelSource& source) {
    const Level& l = source.level;
    std::string out;
    if (!source.title.empty()) out += "title " + source.title + "\n";
    for (const std::string& n : source.notes) out += n.empty() ? "note\n" : "note " + n + "\n";
    out += "background " + l.background + "\n";
    out += "board " + std::to_string(l.target) + " " + std::to_string(l.targetX) + " " + std::to_string(l.targetY) + "\n";
    if (l.blockSheet != 0) out += "blocks " + std::to_string(l.blockSheet) + "\n";
    out += "start " + cellText(l.playerX + kStartOffset) + " " + cellText(l.playerY) + "\n";
    out += "grid\n";
    for (const auto& row : l.cells) {
        for (std::int32_t cell : row) out += cellChar(cell);
        out += '\n';
    }
    for (const Token& t : l.tokens)
        out += std::string("bonus ") + tokenSymbol(t.type) + " " + cellText(t.x + kTokenOffset) + " " +
               cellText(t.y + kTokenOffset) + "\n";
    return out;
}

}  // namespace lvl
