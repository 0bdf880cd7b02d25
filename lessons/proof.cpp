#include "lessons/proof.h"

#include "lessons/solver.h"
#include "lessons/traps.h"

#include <algorithm>
#include <memory>

namespace solver {

namespace {

// "3 (line 23)", for the tokens of a mask.
lvl::Text tokenList(const lvl::LevelSource& source, std::uint32_t mask) {
    lvl::Text out;
    for (std::size_t i = 0; i < source.level.tokens.size(); ++i) {
        if ((mask & (1u << i)) == 0) continue;
        const std::string one = std::string("\"") + tokenSymbol(source.level.tokens[i].type) + "\"";
        const std::string line = std::to_string(source.tokenLines[i]);
        out.en += (out.en.empty() ? "" : ", ") + one + " (line " + line + ")";
        out.pl += (out.pl.empty() ? "" : ", ") + one + " (wiersz " + line + ")";
        out.uk += (out.uk.empty() ? "" : ", ") + one + " (рядок " + line + ")";
    }
    return out;
}

// The cell of the figure's feet at (x, y): the column under its middle, the row of its lowest line.
struct Cell {
    int column;
    int row;
};
Cell feetCell(std::int32_t x, std::int32_t y) {
    const auto clamp = [](int v, int hi) { return v < 0 ? 0 : v > hi ? hi : v; };
    return {clamp((x + 21) >> 5, lvl::kColumns - 1), clamp((y + 65) >> 5, lvl::kRows - 1)};
}

}  // namespace

int climbOf(const lvl::Level& level, const std::vector<std::uint8_t>& steps) {
    const auto world = std::make_unique<GameWorld>();
    loadIntoWorld(level, *world);
    const std::int32_t start = world->playerY;
    std::int32_t highest = start;
    for (const std::uint8_t keys : steps) {
        world->updatePlayer((keys & kLeft) != 0, (keys & kRight) != 0, (keys & kUp) != 0, false, 10);
        world->lastStepTick = 0;
        if (world->result == 0) highest = std::min(highest, world->playerY);  // on the ground: no jump spent
    }
    return (start - highest + lvl::kCell / 2) / lvl::kCell;
}

Proof proveLevel(const lvl::LevelSource& source, const std::string& file, std::vector<lvl::Problem>& problems, long routeStates) {
    Proof proof;
    const std::size_t before = problems.size();
    const lvl::Level& level = source.level;
    auto problem = [&](int line, std::string en, std::string pl, std::string uk) {
        problems.push_back({file, line, {std::move(en), std::move(pl), std::move(uk)}});
    };

    const TrapReport traps = findTraps(level);
    proof.places = traps.states;
    for (std::size_t i = 0; i < level.tokens.size(); ++i) {
        if ((traps.reachable & (1u << i)) != 0) continue;
        const std::string one = std::string("\"") + tokenSymbol(level.tokens[i].type) + "\"";
        problem(source.tokenLines[i], "the token " + one + " can never be reached from the start",
                "żetonu " + one + " nie da się dosięgnąć od startu", "до жетона " + one + " ніяк не дістатися від старту");
    }
    if (traps.trapped) {
        const Cell at = feetCell(traps.trapX, traps.trapY);
        const lvl::Text lost = tokenList(source, traps.lost);
        const std::string where = "column " + std::to_string(at.column) + ", row " + std::to_string(at.row);
        const std::string gdzie = "kolumna " + std::to_string(at.column) + ", wiersz " + std::to_string(at.row);
        const std::string de = "стовпець " + std::to_string(at.column) + ", рядок " + std::to_string(at.row);
        const int line = source.gridLine + 1 + at.row;
        if (traps.fallsOff)
            problem(line, "a trap: the hero can fall off the grid; from " + where + " it can no longer reach " + lost.en,
                    "pułapka: bohater może spaść poza planszę; z miejsca " + gdzie + " nie dosięgnie już " + lost.pl,
                    "пастка: герой може впасти за межі поля; з місця " + de + " він уже не дістанеться до " + lost.uk);
        else
            problem(line, "a trap: once the hero is at " + where + " it can no longer reach " + lost.en,
                    "pułapka: gdy bohater jest w miejscu " + gdzie + ", nie dosięgnie już " + lost.pl,
                    "пастка: коли герой у місці " + de + ", він уже не дістанеться до " + lost.uk);
    }
    if (!boardCanBeMade(level)) {
        problem(source.boardLine, "no sum of this level's tokens makes " + std::to_string(level.target),
                "żadne działanie z żetonów tego poziomu nie daje " + std::to_string(level.target),
                "жоден приклад із жетонів цього рівня не дає " + std::to_string(level.target));
    } else if (problems.size() == before) {
        const Route route = solve(level, routeStates);
        if (route.found) {
            proof.sum = route.expression;
            proof.steps = route.steps.size();
            proof.climb = climbOf(level, route.steps);
        } else {
            problem(source.boardLine,
                    "no route was found that makes " + std::to_string(level.target) + " and reaches \"=\" with it",
                    "nie znaleziono drogi, która daje " + std::to_string(level.target) + " i dochodzi z tym do \"=\"",
                    "не знайдено шляху, що дає " + std::to_string(level.target) + " і доходить із цим до \"=\"");
        }
    }
    proof.fair = problems.size() == before;
    return proof;
}

}  // namespace solver
