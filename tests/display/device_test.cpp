// Starting and ending the display: each step's trace and result code when it fails, the
// surfaces with their sizes and keys, the pixel-layout shifts, and the release.
#include "display/display_fixture.h"
#include "platform/cp1250.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace hl = plat::headless;

// The trace written by init alone.
std::string initTrace(const testing_support::TempDir& dir, const std::string& before) {
    return dir.read("debug.txt").substr(before.size());
}

TEST(DisplayStart, EachFailingStepTracesFalseAndReturnsItsCode) {
    const std::string upToMode = std::string("okno...ok.\nobiekt dd...tworzenie obiektu dd...ok...\nok.\n") +
                                 plat::cp1250("ustawienie poziomu współpracy...ok...\n").c_str() +
                                 plat::cp1250("ustawienie rozdziałki...ok...\n").c_str();
    const std::string surfaces = std::string(plat::cp1250("tworzenie powierzchni głównej...ok...\n").c_str()) +
                                 "tworzenie backbufera...ok...\npowierzchnia title screen...ok...\n"
                                 "powierzchnia pod gracza...ok...\npowierzchnia pod klocki...ok...\n"
                                 "powierzchnia pod butony...ok...\n";
    struct Case {
        bool window;
        hl::Fail fail;
        bool failing;
        ErrorCode code;
        std::string trace;
    };
    const Case cases[] = {
        {false, hl::Fail::VideoDevice, false, ErrorCode::BadWindowHandle, "okno...false...\n"},
        {true, hl::Fail::VideoDevice, true, ErrorCode::NoVideoDevice,
         "okno...ok.\nobiekt dd...tworzenie obiektu dd...false...\nfalse...\n"},
        {true, hl::Fail::VideoCooperativeLevel, true, ErrorCode::CooperativeLevelFailed,
         std::string("okno...ok.\nobiekt dd...tworzenie obiektu dd...ok...\nok.\n") +
             plat::cp1250("ustawienie poziomu współpracy...false...\n").c_str()},
        {true, hl::Fail::VideoDisplayMode, true, ErrorCode::DisplayModeFailed,
         std::string("okno...ok.\nobiekt dd...tworzenie obiektu dd...ok...\nok.\n") +
             plat::cp1250("ustawienie poziomu współpracy...ok...\nustawienie rozdziałki...false...\n").c_str()},
        {true, hl::Fail::VideoPixelFormat, true, ErrorCode::PixelFormatFailed, upToMode + surfaces + "pixel info...false...\n"},
        {true, hl::Fail::VideoPixelFormat, false, ErrorCode::Ok, upToMode + surfaces + "pixel info...ok...\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.code));
        testing_support::TempDir dir;
        hl::reset();
        if (c.window) {
            ASSERT_TRUE(plat::createWindow("Kalkulon", &display_test::plainWindowProc, nullptr, 640, 480));
        }
        hl::setFail(c.fail, c.failing);
        Display display{ErrorReporter(kTraceFile)};
        const std::string before = dir.read("debug.txt");
        EXPECT_EQ(display.init(640, 480, 16), c.code);
        EXPECT_EQ(initTrace(dir, before), c.trace);
        EXPECT_EQ(display.deviceStarted, c.code != ErrorCode::BadWindowHandle && c.code != ErrorCode::NoVideoDevice);
    }
    hl::reset();
}

TEST(DisplayStart, SurfacesKeysAndShifts) {
    testing_support::TempDir dir;
    hl::reset();
    ASSERT_TRUE(plat::createWindow("Kalkulon", &display_test::plainWindowProc, nullptr, 640, 480));
    {
        Display display{ErrorReporter(kTraceFile)};
        ASSERT_EQ(display.init(640, 480, 16), ErrorCode::Ok);
        struct Expect {
            const Surface* s;
            int w;
            int h;
            bool keyed;
            std::uint16_t key;
        };
        const Expect expect[] = {
            {display.primarySurface.get(), 640, 480, false, 0},    {display.backBuffer.get(), 640, 480, false, 0},
            {display.backgroundSurface.get(), 640, 480, false, 0}, {display.playerSurface.get(), 344, 264, true, 0xFFFF},
            {display.blocksSurface.get(), 128, 32, false, 0},      {display.buttonsSurface.get(), 640, 480, true, 0x0000},
        };
        for (const Expect& e : expect) {
            ASSERT_NE(e.s, nullptr);
            EXPECT_EQ(e.s->width(), e.w);
            EXPECT_EQ(e.s->height(), e.h);
            EXPECT_EQ(e.s->hasColorKey(), e.keyed);
            if (e.keyed) {
                EXPECT_EQ(e.s->colorKey(), e.key);
            }
        }
        EXPECT_EQ(display.pixelFormat.redShift, 11);
        EXPECT_EQ(display.pixelFormat.greenShift, 6);  // one more than the mask's zeros
        EXPECT_EQ(display.pixelFormat.redMask, 0xF800u);
        EXPECT_EQ(display.pixelFormat.greenMask, 0x07E0u);
        EXPECT_EQ(display.pixelFormat.blueMask, 0x001Fu);
        EXPECT_EQ(display.boxRedShift, 0);  // until applied
        display.applyPixelFormat(display.pixelFormat);
        EXPECT_EQ(display.boxRedShift, 11);
        EXPECT_EQ(display.boxGreenShift, 6);
    }
    hl::reset();
    ASSERT_TRUE(plat::createWindow("Kalkulon", &display_test::plainWindowProc, nullptr, 640, 480));
    hl::setPixelMasks(0x7C00, 0x03E0, 0x001F);
    {
        Display display{ErrorReporter(kTraceFile)};
        ASSERT_EQ(display.init(640, 480, 16), ErrorCode::Ok);
        EXPECT_EQ(display.pixelFormat.redShift, 10);
        EXPECT_EQ(display.pixelFormat.greenShift, 5);
    }
    hl::reset();
}

TEST(DisplayEnd, ReleaseTracesWhatItReleases) {
    testing_support::TempDir dir;
    hl::reset();
    {
        Display idle{ErrorReporter(kTraceFile)};  // never started
        const std::string before = dir.read("debug.txt");
        idle.release();
        EXPECT_EQ(dir.read("debug.txt").substr(before.size()), "exit...");
    }
    ASSERT_TRUE(plat::createWindow("Kalkulon", &display_test::plainWindowProc, nullptr, 640, 480));
    std::string before;
    {
        Display display{ErrorReporter(kTraceFile)};
        ASSERT_EQ(display.init(640, 480, 16), ErrorCode::Ok);
        before = dir.read("debug.txt");
    }  // the destructor releases
    EXPECT_EQ(dir.read("debug.txt").substr(before.size()),
              std::string("destruktor...exit...") +
                  plat::cp1250("\n usunięcie podstawowej...\n usunięcie bufora...\n przywrócenie trybu gfx...").c_str() +
                  "\n zwolnienie dd7...ok.\n");
    // Presenting after the release finds no display.
    EXPECT_FALSE(plat::videoPresent(nullptr, 640, false));
    hl::reset();
}

}  // namespace
