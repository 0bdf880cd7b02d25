#include "lessons/level_checks.h"

#include "lessons/level_words.h"

#include <utility>

namespace lvl {

namespace {

bool blockAt(const Level& level, int row, int column) {
    return row >= 0 && row < kRows && column >= 0 && column < kColumns && level.cells[row][column] >= 0;
}

void add(std::vector<Problem>& problems, const std::string& file, int line, std::string en, std::string pl, std::string uk) {
    problems.push_back({file, line, {std::move(en), std::move(pl), std::move(uk)}});
}

}  // namespace

void checkTokenPlaces(const LevelSource& source, const std::vector<Text>& places, bool gridKnown, const std::string& file,
                      std::vector<Problem>& problems) {
    const Level& l = source.level;
    for (std::size_t i = 0; i < l.tokens.size(); ++i) {
        const Token& t = l.tokens[i];
        const std::string symbol = quoted(std::string(1, tokenSymbol(t.type)));
        const Text& at = places[i];
        const int line = source.tokenLines[i];
        if (t.x < 0 || t.x + kTokenWidth > kPlayWidth || t.y < 0 || t.y + kTokenHeight > kPlayHeight) {
            add(problems, file, line, "the token " + symbol + " at " + at.en + " lies outside the play area",
                "żeton " + symbol + " (" + at.pl + ") leży poza planszą",
                "жетон " + symbol + " (" + at.uk + ") лежить поза полем гри");
            continue;
        }
        // The middle of the 8 x 8 box that the figure must touch.
        if (gridKnown && blockAt(l, (t.y + 16) / kCell, (t.x + 16) / kCell))
            add(problems, file, line, "the token " + symbol + " at " + at.en + " lies inside a block",
                "żeton " + symbol + " (" + at.pl + ") leży wewnątrz klocka",
                "жетон " + symbol + " (" + at.uk + ") лежить усередині блока");
    }
}

void checkStart(const LevelSource& source, const Text& place, bool gridKnown, const std::string& file,
                std::vector<Problem>& problems) {
    const Level& l = source.level;
    const int left = (l.playerX + 15) >> 5, right = (l.playerX + 38) >> 5, feet = l.playerY >> 5;
    if (l.playerX + 15 < 0 || l.playerX + 39 > kPlayWidth || l.playerY < kCell || l.playerY + kCell > kPlayHeight) {
        add(problems, file, source.startLine, "the hero's start at " + place.en + " lies outside the grid",
            "start bohatera (" + place.pl + ") leży poza siatką", "старт героя (" + place.uk + ") лежить поза сіткою");
        return;
    }
    if (!gridKnown) return;
    bool blocked = false;
    for (int c = left; c <= right; ++c) blocked |= blockAt(l, feet, c) || blockAt(l, feet - 1, c);
    if (blocked)
        add(problems, file, source.startLine, "the hero would start inside a block at " + place.en,
            "bohater zaczynałby wewnątrz klocka (" + place.pl + ")", "герой починав би всередині блока (" + place.uk + ")");
}

}  // namespace lvl
