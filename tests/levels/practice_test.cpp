// Practice packs: the layouts are fair with every place filled and there are enough of them,
// reaching high; a pack of each family of facts, over several seeds, reads back through the
// pack reader, every level passes the check and has one answer (counted here by trying every
// sequence of its tokens), the facts grow harder, and the climb and the way grow through a pack.
#include "lessons/practice.h"
#include "lessons/answers.h"
#include "lessons/pack.h"
#include "lessons/solver.h"
#include "lessons/traps.h"

#include "support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <set>

namespace {

lvl::Installed installed() {
    lvl::Installed data;
    lvl::Text error;
    EXPECT_TRUE(lvl::findInstalled(KALKULON_GAME_DIR, data, error)) << error.en;
    return data;
}

TEST(Practice, LayoutsAreFairWithEveryPlaceFilledAndClimbTheWholeGrid) {
    std::set<std::string> pictures;
    int perLevel[lvl::kPackLevels + 1] = {};
    int highest = lvl::kRows;
    for (const lessons::Layout& layout : lessons::layouts()) {
        SCOPED_TRACE(layout.name);
        lessons::Shape shape = lessons::shapeOf(layout);
        EXPECT_GE(shape.places.size(), 5u);  // the longest sum of the first levels, 3*2*5
        for (const lessons::Cell& place : shape.places) shape.level.tokens.push_back(lessons::tokenAt(place, 1));
        shape.level.tokens.push_back(lessons::tokenAt(shape.equals, kTokenEquals));
        const solver::TrapReport report = solver::findTraps(shape.level);
        EXPECT_FALSE(report.trapped);
        EXPECT_EQ(report.reachable, (1u << shape.level.tokens.size()) - 1);
        pictures.insert(layout.picture);
        ++perLevel[layout.level];
        if (layout.level == lvl::kPackLevels) highest = std::min(highest, shape.equals.second);
    }
    EXPECT_GE(pictures.size(), 20u);
    for (int n = 1; n <= lvl::kPackLevels; ++n) EXPECT_GE(perLevel[n], 3) << "level " << n;
    EXPECT_LE(highest, 4) << "the last level's \"=\" stands in the top rows";
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

// The facts of every sequence of `tokens` (digits anywhere, a sign behind a digit, at most 19)
// that the game's evaluator values at `board`: every one tried, without the search's shortcuts.
void everySum(std::string& text, lessons::TokenCounts& left, std::int32_t board, std::set<std::string>& facts) {
    const bool lastDigit = !text.empty() && text.back() >= '1' && text.back() <= '9';
    std::int32_t value = 0;
    if (lastDigit && text.find_first_of("+-*/") != std::string::npos && solver::evaluate(text, value) && value == board)
        facts.insert(lessons::factOf(text));
    if (text.size() == 19) return;
    for (int t = 1; t < kTokenEquals; ++t) {
        if (left[static_cast<std::size_t>(t)] == 0 || (tokenKind(t) == TokenKind::Sign && !lastDigit)) continue;
        --left[static_cast<std::size_t>(t)];
        text += tokenSymbol(t);
        everySum(text, left, board, facts);
        text.pop_back();
        ++left[static_cast<std::size_t>(t)];
    }
}

TEST(Practice, PacksOfEveryFamilyHaveOneAnswerALevelAndGrowHarderAndHigher) {
    const lvl::Installed data = installed();
    testing_support::TempDir dir;
    double climb[lvl::kPackLevels] = {}, steps[lvl::kPackLevels] = {};
    int packs = 0;
    for (const char* family : {"add10", "add20", "sub20", "2,5,10", "7", "div", "order"}) {
        lessons::FactSpec spec;
        lvl::Text error;
        ASSERT_TRUE(lessons::parseFacts(family, spec, error));
        std::vector<std::int32_t> firstBoards;
        for (std::uint64_t seed : {1u, 2u, 3u}) {
            SCOPED_TRACE(std::string(family) + ", seed " + std::to_string(seed));
            lessons::PracticePack made;
            ASSERT_TRUE(lessons::makePracticePack(spec, seed, data.scenery, made, error)) << error.en;
            const std::string folder = std::string(family) + "-" + std::to_string(seed);
            ASSERT_TRUE(lessons::writePack(made, folder, error));
            lvl::Pack pack;
            std::vector<lvl::Problem> problems;
            ASSERT_TRUE(lvl::readPack(folder, data.scenery, pack, problems)) << problems[0].format(lvl::Language::English);
            EXPECT_FALSE(pack.settings.showFrameRate);
            EXPECT_TRUE(pack.settings.plainBackgrounds);
            std::vector<std::int32_t> boards;
            for (std::size_t i = 0; i < pack.levels.size(); ++i) {
                const lvl::Level& level = pack.levels[i].level;
                boards.push_back(level.target);
                std::string text;
                lessons::TokenCounts left = lessons::countTokens(level.tokens);
                std::set<std::string> facts;
                everySum(text, left, level.target, facts);
                EXPECT_EQ(facts, std::set<std::string>{lessons::factOf(made.facts[i].sum)}) << pack.files[i];
                if (i > 0) {
                    EXPECT_LT(lessons::hardness(made.facts[i - 1]), lessons::hardness(made.facts[i])) << pack.files[i];
                }
                if (seed == 1) {
                    EXPECT_TRUE(solver::proveLevel(pack.levels[i], pack.files[i], problems).fair) << pack.files[i];
                }
                climb[i] += made.proofs[i].climb;
                steps[i] += static_cast<double>(made.proofs[i].steps);
            }
            for (const lvl::Problem& p : problems) ADD_FAILURE() << p.format(lvl::Language::English);
            ++packs;
            if (seed == 1) firstBoards = boards;
            else EXPECT_NE(boards, firstBoards) << "another seed, other numbers";
        }
    }
    for (int n = 1; n < lvl::kPackLevels; ++n) EXPECT_LE(climb[n - 1], climb[n]) << "level " << n + 1 << " climbs less";
    EXPECT_GE((climb[lvl::kPackLevels - 1] - climb[0]) / packs, 5.0);
    EXPECT_GT(steps[lvl::kPackLevels - 1], 1.5 * steps[0]) << "the last way is not much longer than the first";
}

}  // namespace
