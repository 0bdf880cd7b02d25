// Practice packs: the shapes are fair with every place filled; a pack of each family of facts,
// over several seeds, reads back through the pack reader and every level passes the check,
// with other numbers for another seed and more tokens towards the end.
#include "lessons/practice.h"
#include "lessons/level_binary.h"
#include "lessons/pack.h"
#include "lessons/solver.h"
#include "lessons/traps.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

lvl::Installed installed() {
    lvl::Installed data;
    lvl::Text error;
    EXPECT_TRUE(lvl::findInstalled(KALKULON_GAME_DIR, data, error)) << error.en;
    return data;
}

TEST(Practice, ShapesAreFairWithEveryPlaceFilled) {
    for (const lessons::Shape& shape : lessons::shapes()) {
        SCOPED_TRACE(shape.name);
        lvl::Level level;
        level.playerX = lvl::cellToPixel(shape.startColumn) - lvl::kStartOffset;
        level.playerY = lvl::cellToPixel(shape.startRow);
        for (int r = 0; r < lvl::kRows; ++r)
            for (int c = 0; c < lvl::kColumns; ++c) level.cells[r][c] = shape.rows[r][c] == '.' ? -1 : 1;
        auto at = [](std::pair<double, double> p, int type) {
            return lvl::Token{lvl::cellToPixel(p.first) - lvl::kTokenOffset, lvl::cellToPixel(p.second) - lvl::kTokenOffset,
                              type};
        };
        for (const auto& slot : shape.slots) level.tokens.push_back(at(slot, 1));
        level.tokens.push_back(at(shape.equals, kTokenEquals));
        const solver::TrapReport report = solver::findTraps(level);
        EXPECT_FALSE(report.trapped);
        EXPECT_EQ(report.reachable, (1u << level.tokens.size()) - 1);
    }
}

TEST(Practice, FactSpecs) {
    lessons::FactSpec spec;
    lvl::Text error;
    ASSERT_TRUE(lessons::parseFacts("x2, 5,10,add10", spec, error));
    EXPECT_EQ(spec.tables, (std::vector<int>{2, 5, 10}));
    EXPECT_EQ(spec.families, (std::vector<lessons::Family>{lessons::Family::Times, lessons::Family::Add10}));
    EXPECT_FALSE(lessons::parseFacts("add30", spec, error));
    EXPECT_EQ(error.en, "unknown facts \"add30\": use add10, add20, sub20, 2 to 10, div or order, joined by commas");
    EXPECT_FALSE(lessons::parseFacts("11", spec, error));
    // Every fact of every family can be written with the tokens 1 to 9 and is right.
    for (lessons::Family f : {lessons::Family::Add10, lessons::Family::Add20, lessons::Family::Sub20, lessons::Family::Divide,
                              lessons::Family::Order, lessons::Family::Times})
        for (int d = 0; d < 7; ++d)
            for (int table = 2; table <= (f == lessons::Family::Times ? 10 : 2); ++table) {
                const auto facts = lessons::factsOf(f, table, d);
                EXPECT_FALSE(facts.empty()) << static_cast<int>(f) << " at " << d;
                for (const lessons::Fact& fact : facts) {
                    std::int32_t value = 0;
                    bool exact = false;
                    EXPECT_TRUE(solver::evaluate(fact.sum, value, &exact) && exact && value == fact.value) << fact.sum;
                    EXPECT_EQ(fact.sum.find('0'), std::string::npos) << fact.sum;
                }
            }
}

class PracticePack : public testing::TestWithParam<const char*> {};

TEST_P(PracticePack, EverySeedGivesSevenFairLevelsThatClimb) {
    const lvl::Installed data = installed();
    testing_support::TempDir dir;
    lessons::FactSpec spec;
    lvl::Text error;
    ASSERT_TRUE(lessons::parseFacts(GetParam(), spec, error));
    std::vector<std::int32_t> firstBoards;
    for (std::uint64_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        lessons::PracticePack made;
        ASSERT_TRUE(lessons::makePracticePack(spec, seed, data.scenery, made, error)) << error.en;
        const std::string folder = "pack" + std::to_string(seed);
        ASSERT_TRUE(lessons::writePack(made, folder, error));
        lvl::Pack pack;
        std::vector<lvl::Problem> problems;
        ASSERT_TRUE(lvl::readPack(folder, data.scenery, pack, problems)) << problems[0].format(lvl::Language::English);
        EXPECT_EQ(pack.title, made.title);
        std::vector<std::int32_t> boards;
        for (std::size_t i = 0; i < pack.levels.size(); ++i) {
            const lvl::Level& level = pack.levels[i].level;
            boards.push_back(level.target);
            EXPECT_EQ(level.background, data.scenery[i].background);
            std::int32_t value = 0;
            EXPECT_TRUE(solver::evaluate(made.proofs[i].sum, value) && value == level.target) << made.proofs[i].sum;
            if (seed == 1) {  // the check itself, on what was written
                const solver::Proof proof = solver::proveLevel(pack.levels[i], pack.files[i], problems);
                EXPECT_TRUE(proof.fair) << pack.files[i];
            }
        }
        for (const lvl::Problem& p : problems) ADD_FAILURE() << p.format(lvl::Language::English);
        EXPECT_GT(pack.levels[6].level.tokens.size(), pack.levels[0].level.tokens.size()) << "the last level has more tokens";
        if (seed == 1) firstBoards = boards;
        else EXPECT_NE(boards, firstBoards) << "another seed, other numbers";
    }
}

INSTANTIATE_TEST_SUITE_P(Families, PracticePack, testing::Values("add10", "add20", "sub20", "2,5,10", "7", "div", "order"),
                         [](const testing::TestParamInfo<const char*>& family) {
                             std::string name;
                             for (const char* c = family.param; *c != '\0'; ++c) name += (*c == ',' ? '_' : *c);
                             return name;
                         });

}  // namespace
