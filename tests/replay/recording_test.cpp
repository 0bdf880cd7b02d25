// The written recording of a game: every kind of input read back as it was written, and a line
// that is no input named with its file and line.
#include "recording.h"

#include <gtest/gtest.h>

namespace {

namespace hl = plat::headless;
using hl::InputKind;

TEST(Recording, EveryInputIsReadBackAsWritten) {
    const replay::Inputs inputs = {
        {0, InputKind::TimeStep, 1},
        {0, InputKind::Time, 1'000'000},
        {3, InputKind::Advance, 500},
        {3, InputKind::Message, 0x12, 5, -7},
        {4, InputKind::Click, 328, 168},
        {4, InputKind::Escape},
        {5, InputKind::Close},
        {6, InputKind::Foreground, 0},
        {6, InputKind::Mouse, -3, 479},
        {7, InputKind::Key, 0xCD, 1},
        {7, InputKind::Key, 0x1E, 0},
        {7, InputKind::Key, 0x01, 1},
        {8, InputKind::ReleaseKeys},
        {9, InputKind::Plug, 2},
        {9, InputKind::PadButton, 2, 6, 1},
        {9, InputKind::PadAxis, 2, 1, -32768},
        {10, InputKind::Unplug, 2},
    };
    const std::string text = replay::writeInputs(inputs);
    EXPECT_NE(text.find("\n7 key Right down\n7 key A up\n7 key 0x01 down\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n9 pad 2 right down\n9 stick 2 y -32768\n"), std::string::npos) << text;
    replay::Inputs read;
    std::string error;
    ASSERT_TRUE(replay::readInputs(text, "game.txt", read, error)) << error;
    EXPECT_EQ(read, inputs);
}

TEST(Recording, ALineThatIsNoInputIsNamedWithItsFileAndLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"# fine\n\n1 jump", "game.txt:3: unknown input \"jump\""},
        {"1 mouse 5", "game.txt:1: mouse takes 2 values, not 1"},
        {"1 key Right sideways", "game.txt:1: cannot read the values of key"},
        {"1 key 0x100 down", "game.txt:1: cannot read the values of key"},
        {"1 stick 1 z 5", "game.txt:1: cannot read the values of stick"},
        {"5 escape\n4 escape", "game.txt:2: poll 4 comes after a later one"},
        {"x escape", "game.txt:1: a line starts with its poll, not \"x\""},
        {"7", "game.txt:1: no input after the poll"},
    };
    for (const auto& [text, message] : cases) {
        replay::Inputs read;
        std::string error;
        EXPECT_FALSE(replay::readInputs(text, "game.txt", read, error)) << text;
        EXPECT_EQ(error, message);
    }
}

}  // namespace
