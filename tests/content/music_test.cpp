// The generated tune: a well-formed four-channel ProTracker module whose notes use only the
// samples it carries, at periods ProTracker can play, and whose samples are not silent.
#include "content_files.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

TEST(ContentMusic, ModuleIsAFourChannelProTrackerSongOfItsOwnSamples) {
    std::ifstream in(content_test::gameDir() / "music" / "3dparadise.mod", std::ios::binary);
    const std::vector<unsigned char> m((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GT(m.size(), 1084u);
    auto word = [&](std::size_t at) { return static_cast<int>((m[at] << 8) | m[at + 1]); };
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&m[1080]), 4), "M.K.");
    int lengths[32] = {};
    long sampleBytes = 0;
    for (int s = 1; s <= 31; ++s) {
        const std::size_t h = 20 + 30 * static_cast<std::size_t>(s - 1);
        lengths[s] = word(h + 22) * 2;
        sampleBytes += lengths[s];
        EXPECT_LE(m[h + 25], 64) << "volume of sample " << s;
        const int loopStart = word(h + 26) * 2, loopLength = word(h + 28) * 2;
        if (loopLength > 2) {
            EXPECT_LE(loopStart + loopLength, lengths[s]) << "loop of sample " << s;
        }
    }
    const int songLength = m[950];
    ASSERT_GE(songLength, 1);
    ASSERT_LE(songLength, 128);
    int patterns = 0;
    for (int i = 0; i < 128; ++i) patterns = std::max(patterns, m[952 + static_cast<std::size_t>(i)] + 1);
    EXPECT_EQ(m.size(), 1084u + static_cast<std::size_t>(patterns) * 1024 + static_cast<std::size_t>(sampleBytes));
    int notes = 0;
    for (int p = 0; p < patterns; ++p)
        for (int cell = 0; cell < 256; ++cell) {
            const std::size_t at = 1084 + static_cast<std::size_t>(p) * 1024 + static_cast<std::size_t>(cell) * 4;
            const int sample = (m[at] & 0xF0) | (m[at + 2] >> 4);
            const int period = ((m[at] & 0x0F) << 8) | m[at + 1];
            if (period != 0) {
                ++notes;
                EXPECT_GE(period, 113);
                EXPECT_LE(period, 856);
            }
            if (sample != 0) {
                EXPECT_GT(lengths[sample], 0) << "pattern " << p << " cell " << cell;
            }
        }
    EXPECT_GT(notes, 200);
    // Every sample the song carries makes sound.
    std::size_t at = 1084 + static_cast<std::size_t>(patterns) * 1024;
    for (int s = 1; s <= 31; ++s) {
        int peak = 0;
        for (int i = 0; i < lengths[s]; ++i)
            peak = std::max(peak, std::abs(static_cast<int>(static_cast<signed char>(m[at + i]))));
        if (lengths[s] > 0) {
            EXPECT_GT(peak, 20) << "sample " << s;
        }
        at += static_cast<std::size_t>(lengths[s]);
    }
}

}  // namespace
