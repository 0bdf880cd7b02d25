// The game's own seven levels: each source proven fair (every token reachable, no trap, a
// route to the board's number), and the level files the generator makes from them keep their
// bytes, so the built-in game stays what it is.
#include "lessons/level_binary.h"
#include "lessons/level_text.h"
#include "lessons/pack.h"
#include "lessons/proof.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::uint64_t fnv1a(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
    return h;
}

TEST(BuiltInLevels, EveryLevelIsProvenFair) {
    const std::filesystem::path sources = std::filesystem::path(KALKULON_SOURCE_DIR) / "tools" / "levels";
    lvl::Installed installed;
    lvl::Text error;
    ASSERT_TRUE(lvl::findInstalled(KALKULON_GAME_DIR, installed, error)) << error.en;
    lvl::Pack pack;
    std::vector<lvl::Problem> problems;
    ASSERT_TRUE(lvl::readPack(sources, installed.scenery, pack, problems)) << problems[0].format(lvl::Language::English);
    testing_support::TempDir dir;  // the route finder's trace
    const char* sums[] = {"3+4", "5+3+4", "9-4", "2+3*4", "12+3", "8/2+3", "4*6"};
    for (int n = 0; n < 7; ++n) {
        const solver::Proof proof = solver::proveLevel(pack.levels[static_cast<std::size_t>(n)],
                                                       pack.files[static_cast<std::size_t>(n)], problems);
        EXPECT_TRUE(proof.fair) << pack.files[static_cast<std::size_t>(n)];
        EXPECT_EQ(proof.sum, sums[n]);
    }
    for (const lvl::Problem& p : problems) ADD_FAILURE() << p.format(lvl::Language::English);
}

TEST(BuiltInLevels, GeneratedFilesKeepTheirBytes) {
    // Levels 2 and 3 were laid out anew when the trap finder found their traps.
    const std::uint64_t expected[] = {0x02e562102d6f9953, 0x01375123f9a2fab2, 0x7e0a3c25f0e15159, 0xaa3532bddedde250,
                                      0x5e8b6ef501a99366, 0x8811aa85e3173512, 0xa2f00c878fa36586};
    for (int n = 1; n <= 7; ++n) {
        std::vector<std::uint8_t> bytes;
        ASSERT_TRUE(lvl::readFile(std::string(KALKULON_GAME_DIR) + "/level/level" + std::to_string(n) + ".lvl", bytes));
        EXPECT_EQ(fnv1a(bytes), expected[n - 1]) << "level " << n;
    }
}

}  // namespace
