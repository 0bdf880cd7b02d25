// The trap finder on small hand-made levels, each with its tokens 3, +, 4 and "=": clean ones,
// and ones with a one-way ledge, a pit whose walls only the wall-edge trick could climb, a fall
// off the grid, a dead end behind a wall, and a token nobody can reach.
#include "lessons/traps.h"
#include "lessons/level_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kOpen = "X..................X";
const std::string kFloor = "X##################X";

struct Case {
    const char* what;
    std::vector<std::string> rows;  // the lowest rows of the grid; rows like the first above them
    const char* start;
    const char* tokens;  // "bonus" lines
    bool trapped;
    std::uint32_t lost;  // tokens lost at the trap (bit i: token i); 0: some
    bool fallsOff;
    int trapFeetRow;  // the row in which the figure stands at the trap
    int trapSide;     // -1: left of column 10, 1: right of it, 0: any
    std::uint32_t reachable = 0xF;
};

lvl::Level level(const Case& c) {
    std::string text = "background t.bmp\nboard 7 300 58\nstart " + std::string(c.start) + "\ngrid\n";
    for (std::size_t r = c.rows.size(); r < 14; ++r) text += (c.rows[0].front() == 'X' ? kOpen : c.rows[0]) + "\n";
    for (const std::string& row : c.rows) text += row + "\n";
    text += c.tokens;
    lvl::LevelSource source;
    std::vector<lvl::Problem> problems;
    EXPECT_TRUE(lvl::readLevelText(text, "t.txt", nullptr, source, problems))
        << (problems.empty() ? "" : problems[0].format(lvl::Language::English));
    return source.level;
}

TEST(Traps, HandMadeLevels) {
    const char* onTheFloor = "bonus 3 5 12\nbonus + 8 12\nbonus 4 11 12\nbonus = 15 12\n";
    const Case cases[] = {
        {"a closed room", {kFloor}, "2 12", onTheFloor, false, 0, false, 0, 0},
        {"ledges two cells up, both ways",
         {"X....###....###....X", kOpen, kFloor},
         "2 12",
         "bonus 3 6 10\nbonus + 9 12\nbonus 4 13 10\nbonus = 17 12\n",
         false,
         0,
         false,
         0,
         0},
        {"a one-way ledge: four cells up",
         {"X#####.............X", kOpen, kOpen, kOpen, kFloor},
         "2 8",
         "bonus 3 4 8\nbonus + 8 12\nbonus 4 11 12\nbonus = 15 12\n",
         true,
         0x1,
         false,
         12,
         0},
        {"a pit three cells deep and two wide",
         {"X########..########X", "X########..########X", "X########..########X", kFloor},
         "2 9",
         "bonus 3 4 9\nbonus + 7 9\nbonus 4 13 9\nbonus = 16 9\n",
         true,
         0xF,
         false,
         12,
         0},
        {"an open side: off the grid", {"...................X", "###################X"}, "4 12", onTheFloor, true, 0, true, 0, 0},
        {"a hole down to the bottom", {"X########..########X"}, "2 12", onTheFloor, true, 0, true, 0, 0},
        {"a dead end behind a wall",
         {"X.........#........X", "X.........#........X", "X#########X........X", kFloor},
         "2 11",
         "bonus 3 4 11\nbonus + 7 11\nbonus 4 13 12\nbonus = 16 12\n",
         true,
         0x3,
         false,
         12,
         1},
        {"the same wall with ground as high behind it",
         {"X.........#........X", "X.........#........X", "X#########X########X", kFloor},
         "2 11",
         "bonus 3 4 11\nbonus + 7 11\nbonus 4 13 11\nbonus = 16 11\n",
         false,
         0,
         false,
         0,
         0},
        {"a token out of reach is no trap",
         {kFloor},
         "2 12",
         "bonus 3 5 12\nbonus + 8 12\nbonus 4 11 5\nbonus = 15 12\n",
         false,
         0,
         false,
         0,
         0,
         0xB},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const solver::TrapReport r = solver::findTraps(level(c));
        EXPECT_EQ(r.reachable, c.reachable);
        EXPECT_EQ(r.trapped, c.trapped);
        if (c.lost != 0) {
            EXPECT_EQ(r.lost, c.lost);
        } else {
            EXPECT_EQ(r.lost != 0, c.trapped);
        }
        EXPECT_EQ(r.fallsOff, c.fallsOff);
        if (c.trapFeetRow != 0) {
            EXPECT_EQ((r.trapY + 65) / 32, c.trapFeetRow) << r.trapX << ", " << r.trapY;
        }
        if (c.trapSide != 0) {
            EXPECT_EQ(r.trapX + 21 > 10 * 32 ? 1 : -1, c.trapSide) << r.trapX;
        }
    }
}

}  // namespace
