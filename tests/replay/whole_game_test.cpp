// The golden record of the whole game: a game recorded from a script that passes every screen
// (tests/golden/whole_game/recording.txt, made by kalkulon_record) played back headless on the
// generated data. Its trace, its high-score table and every frame it presents (as a hash, with
// the poll and the screen) must be the stored ones byte for byte. After a change meant to alter
// them, KALKULON_UPDATE_GOLDEN=1 rewrites the three files; a frame that differs is left as a PNG
// file in $TMPDIR/kalkulon-golden/ to be looked at.
#include "display/golden.h"
#include "support/bmp_writer.h"
#include "support/test_game.h"
#include "texts/texts.h"

#include <functional>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>

namespace {

namespace fs = std::filesystem;
namespace hl = plat::headless;

const fs::path kGolden = fs::path(KALKULON_SOURCE_DIR) / "tests" / "golden" / "whole_game";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// The index of the first line in which two texts part.
std::size_t partingLine(const std::vector<std::string>& want, const std::vector<std::string>& got) {
    std::size_t n = 0;
    while (n < want.size() && n < got.size() && want[n] == got[n]) ++n;
    return n;
}

// Where two texts first part: "line N: expected "...", got "..."".
std::string firstDifferentLine(const std::string& expected, const std::string& actual) {
    const auto want = lines(expected);
    const auto got = lines(actual);
    const std::size_t n = partingLine(want, got);
    const auto at = [](const std::vector<std::string>& v, std::size_t i) {
        return i < v.size() ? '"' + v[i] + '"' : std::string("the end");
    };
    return "line " + std::to_string(n + 1) + ": expected " + at(want, n) + ", got " + at(got, n);
}

std::string firstDifferentByte(const std::string& expected, const std::string& actual) {
    const auto [want, got] = std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    const auto hex = [](const std::string& s, std::string::const_iterator it) {
        if (it == s.end()) return std::string("the end");
        char text[8];
        std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned char>(*it));
        return std::string(text);
    };
    return "byte " + std::to_string(want - expected.begin()) + " of " + std::to_string(expected.size()) + ": expected " +
           hex(expected, want) + ", got " + hex(actual, got);
}

// A game played back from the recording in a fresh folder that sees the generated data.
struct PlayedBack : testing_support::TestGame {
    explicit PlayedBack(const replay::Inputs& inputs, std::function<void()> beforeRun = nullptr, std::string_view language = "pl")
        : TestGame(language) {
        testing_support::linkGameData(dir);
        hashFrames();
        if (beforeRun) beforeRun();
        exitCode = replay(inputs);
    }
    int exitCode = 0;
};

// The frame numbered `index` of the game played again, written as a PNG file; its path.
std::string keepFrame(const replay::Inputs& inputs, std::size_t index) {
    std::vector<std::uint16_t> pixels;
    std::size_t presented = 0;
    PlayedBack again(inputs, [&] {
        hl::setPresentHook([&](const hl::Frame& f) {
            if (presented++ == index) pixels = f.pixels;
        });
    });
    const fs::path folder = fs::temp_directory_path() / "kalkulon-golden";
    fs::create_directories(folder);
    const fs::path path = folder / ("whole_game_frame_" + std::to_string(index) + ".png");
    pixels.resize(640 * 480);  // black when the game presented no such frame
    display_test::writeBytes(path.string(), display_test::frameAsPng(640, 480, pixels));
    return path.string();
}

}  // namespace

TEST(WholeGameGolden, TheRecordedGameLeavesTheSameTraceTableAndEveryFrame) {
    replay::Inputs inputs;
    std::string error;
    ASSERT_TRUE(replay::readInputsFile((kGolden / "recording.txt").string(), inputs, error)) << error;

    PlayedBack game(inputs);
    EXPECT_EQ(game.exitCode, 0);
    EXPECT_FALSE(game.timedOut) << "the game did not end where the recording does";
    const std::string trace = game.dir.read("debug.txt");
    const std::string table = game.dir.read("hiscore.tbl");
    const std::string frames = replay::writeFrames(game.frames);
    if (display_test::updatingGolden()) {
        testing_support::writeFile((kGolden / "debug.txt").string(), trace);
        testing_support::writeFile((kGolden / "hiscore.tbl").string(), table);
        testing_support::writeFile((kGolden / "frames.txt").string(), frames);
        GTEST_SKIP() << "rewrote the golden trace, table and frames in " << kGolden;
    }

    const std::string goldenTrace = readFile(kGolden / "debug.txt");
    EXPECT_TRUE(trace == goldenTrace) << "debug.txt differs at " << firstDifferentLine(goldenTrace, trace);
    const std::string goldenTable = readFile(kGolden / "hiscore.tbl");
    EXPECT_TRUE(table == goldenTable) << "hiscore.tbl differs at " << firstDifferentByte(goldenTable, table);
    const std::string goldenFrames = readFile(kGolden / "frames.txt");
    if (frames != goldenFrames) {
        const auto want = lines(goldenFrames);
        const std::size_t n = partingLine(want, lines(frames));
        ADD_FAILURE() << "presented frame " << n << " of " << want.size()
                      << " differs (\"<poll> <screen> <hash>\"): " << firstDifferentLine(goldenFrames, frames)
                      << "; the frame shown is in " << keepFrame(inputs, n) << "; text drawn with " << display_test::fontInUse();
    }
}

// The same game in each other language: its clicks land on the same buttons, it ends at the
// table with the same name and score, and its trace is the Polish game's, byte for byte.
TEST(WholeGameGolden, InEveryLanguageTheGameLeavesTheSameTraceAndTable) {
    replay::Inputs inputs;
    std::string error;
    ASSERT_TRUE(replay::readInputsFile((kGolden / "recording.txt").string(), inputs, error)) << error;
    for (std::string_view language : texts::languages()) {
        if (language == texts::kPolish) continue;
        PlayedBack game(inputs, nullptr, language);
        EXPECT_EQ(game.exitCode, 0) << language;
        EXPECT_FALSE(game.timedOut) << language;
        const std::string trace = game.dir.read("debug.txt");
        const std::string goldenTrace = readFile(kGolden / "debug.txt");
        EXPECT_TRUE(trace == goldenTrace) << language << ": debug.txt differs at " << firstDifferentLine(goldenTrace, trace);
        EXPECT_TRUE(game.dir.read("hiscore.tbl") == readFile(kGolden / "hiscore.tbl")) << language;
    }
}
