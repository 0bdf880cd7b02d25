// A started display on the headless machine, in a fresh folder (the trace lands there), with a
// world for the drawing code to read. Pictures are painted straight onto the surfaces so that
// each test knows every pixel it may see.
#pragma once

#include "display/display.h"
#include "platform/headless.h"
#include "support/temp_dir.h"
#include "world/game_world.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace display_test {

inline std::intptr_t plainWindowProc(void*, std::uint32_t id, std::uintptr_t value, std::intptr_t where) {
    return plat::defaultWindowProc(id, value, where);
}

inline void fill(Surface& s, std::uint16_t colour) {
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) s.row(y)[x] = colour;
}

inline void fillRect(Surface& s, const FrameRect& r, std::uint16_t colour) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) s.row(y)[x] = colour;
}

// Number of pixels of a rectangle of `s` that equal `colour`.
inline int count(const Surface& s, const FrameRect& r, std::uint16_t colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += s.at(x, y) == colour ? 1 : 0;
    return n;
}

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::headless::reset();
        plat::headless::setTimeStep(1);
        ASSERT_TRUE(plat::createWindow("Kalkulon", &plainWindowProc, nullptr, 640, 480));
        display = std::make_unique<Display>(ErrorReporter(kTraceFile));  // in `dir`
        ASSERT_EQ(display->init(640, 480, 16), ErrorCode::Ok);
        display->applyPixelFormat(display->pixelFormat);
        world = std::make_unique<GameWorld>(ErrorReporter(kTraceFile));
    }
    void TearDown() override {
        display.reset();
        plat::headless::reset();
    }

    Surface& back() { return *display->backBuffer; }
    Surface& front() { return *display->primarySurface; }
    Surface& buttons() { return *display->buttonsSurface; }

    testing_support::TempDir dir;
    std::unique_ptr<Display> display;
    std::unique_ptr<GameWorld> world;
};

}  // namespace display_test
