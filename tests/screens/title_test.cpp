// The title screen: the credits scroller's cycle and the menu buttons under the mouse.
#include "support/test_game.h"
#include "support/test_levels.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace replay;
using namespace testing_support;
using testing_support::TestGame;

namespace {

struct CreditsFrame {
    std::int32_t caption;
    std::int32_t name;
    std::int32_t index;
    std::uint32_t now;
};

}  // namespace

TEST(TitleScreen, CreditsSlideInWaitThreeSecondsLeaveAndCycleThroughThreeEntries) {
    TestGame game;
    std::vector<CreditsFrame> seen;
    int rounds = 0;
    game.run([&](Game& a, long) {
        if (a.world == nullptr || hl::flipCount() < 2) return;  // "Wczytuję..." and one title frame
        const CreditsFrame f{a.creditLines[0].x, a.creditLines[1].x, a.creditIndex, a.now};
        if (!seen.empty() && seen.back().index != f.index && ++rounds == 3) hl::postSystemClose();
        seen.push_back(f);
    });
    ASSERT_FALSE(game.timedOut);
    ASSERT_GT(seen.size(), 1000u);

    // The caption comes in 2 pixels a frame from 640 to 50; the name line waits at 640.
    std::size_t k = 0;
    EXPECT_EQ(seen[0].caption, 638);
    while (seen[k].caption > 50) {
        EXPECT_EQ(seen[k + 1].caption, seen[k].caption - 2);
        EXPECT_EQ(seen[k].name, 640);
        ++k;
    }
    // Then the name line comes in to 50 while the caption stands.
    while (seen[k].name > 50) {
        EXPECT_EQ(seen[k].caption, 50);
        EXPECT_EQ(seen[k + 1].name, seen[k].name - 2);
        ++k;
    }
    // Both stand for 3000 ms from the frame the name arrived, by the clock, not by frames.
    const std::uint32_t arrived = seen[k].now;
    while (seen[k + 1].caption == 50) ++k;
    EXPECT_GE(seen[k].now - arrived, 3000u);
    EXPECT_LT(seen[k - 1].now - arrived, 3000u);
    // Then both leave to the right together; when the caption reaches 640 the next entry
    // starts and the name line is parked at 638.
    while (seen[k + 1].index == 0) {
        EXPECT_EQ(seen[k + 1].caption, seen[k].caption + 2);
        EXPECT_EQ(seen[k + 1].name, seen[k].name + 2);
        ++k;
    }
    EXPECT_EQ(seen[k + 1].caption, 640);
    EXPECT_EQ(seen[k + 1].name, 638);
    EXPECT_EQ(seen[k + 1].index, 1);
    // Later rounds bring the name line in from 638; the entries run 0, 1, 2 and again 0.
    while (seen[k].name == 638) ++k;
    EXPECT_EQ(seen[k].name, 636);
    EXPECT_EQ(seen[k].caption, 50);
    std::vector<std::int32_t> order{seen[0].index};
    for (const CreditsFrame& f : seen)
        if (f.index != order.back()) order.push_back(f.index);
    EXPECT_EQ(order, (std::vector<std::int32_t>{0, 1, 2, 0}));
}

TEST(TitleScreen, TheButtonUnderTheMouseAnimatesAndTheTestIsStrictOnAllSides) {
    TestGame game;
    struct Probe {
        int x;
        int y;
        std::int32_t hover;
    };
    // Button 1 covers x 278..378 and y 150..186, button 2 starts at y 220, button 3 at 290.
    const std::vector<Probe> probes = {
        {278, 168, kHoverNone},    {279, 168, kHoverNewGame},    {377, 168, kHoverNewGame}, {378, 168, kHoverNone},
        {328, 150, kHoverNone},    {328, 151, kHoverNewGame},    {328, 185, kHoverNewGame}, {328, 186, kHoverNone},
        {279, 151, kHoverNewGame}, {328, 221, kHoverHighScores}, {328, 325, kHoverExit},    {328, 326, kHoverNone},
    };
    std::size_t next = 0;
    int settle = 0;
    std::vector<std::int32_t> frames;  // button 1's frame while the mouse rests on it
    std::int32_t button1Left = -1;
    int onButton2 = 0;
    game.run([&](Game& a, long) {
        if (a.world == nullptr || hl::flipCount() < 2) return;  // "Wczytuję..." and one title frame
        if (next < probes.size()) {
            // One frame with the mouse at the probe, then look.
            if (settle == 0) {
                hl::setMouse(probes[next].x, probes[next].y);
                settle = 1;
                return;
            }
            settle = 0;
            EXPECT_EQ(a.hoverButton, probes[next].hover) << probes[next].x << ", " << probes[next].y;
            if (probes[next].hover == kHoverNone) {
                for (int i = 0; i < 3; ++i) EXPECT_EQ(a.world->buttons[i].frame, 5);
            }
            ++next;
            if (next == probes.size()) hl::setMouse(300, 160);
            return;
        }
        if (frames.size() < 800) {  // 800 ms on button 1
            frames.push_back(a.world->buttons[0].frame);
            return;
        }
        if (button1Left < 0) {
            button1Left = a.world->buttons[0].frame;
            hl::setMouse(300, 230);  // straight onto button 2
            return;
        }
        if (++onButton2 < 40) return;
        EXPECT_EQ(a.hoverButton, kHoverHighScores);
        EXPECT_EQ(a.world->buttons[0].frame, button1Left);  // left where it was
        EXPECT_NE(a.world->buttons[1].frame, 5);
        hl::postSystemClose();
    });
    ASSERT_FALSE(game.timedOut);
    EXPECT_EQ(next, probes.size());

    // One step per 30 ms: the frames change every 30 passes of 1 ms and swing between 1 and 11.
    std::vector<std::int32_t> changes;
    std::size_t lastChange = 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (i > 0 && frames[i] == frames[i - 1]) continue;
        if (changes.size() >= 2) {
            EXPECT_GE(i - lastChange, 30u);  // the first step came from earlier
        }
        changes.push_back(frames[i]);
        lastChange = i;
    }
    ASSERT_GE(changes.size(), 25u);
    const std::vector<std::int32_t> swing{6, 7, 8, 9, 10, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 2, 3, 4, 5, 6};
    const auto start = std::search(changes.begin(), changes.end(), swing.begin(), swing.end());
    EXPECT_NE(start, changes.end());
    for (std::int32_t f : changes) {
        EXPECT_GE(f, 1);
        EXPECT_LE(f, 11);
    }
}
