// A failing platform step says why in exactly one line, whatever the library's words hold.
#include "platform/report.h"

#include <gtest/gtest.h>

TEST(Report, OneLineWithTheLibrarysReason) {
    struct Row {
        const char* what;
        std::string reason;
        const char* line;
    };
    const Row rows[] = {
        {"no renderer for the window", "Couldn't find matching render driver",
         "kalkulon: no renderer for the window: Couldn't find matching render driver"},
        {"no sound device", "ALSA: Couldn't open audio device\nNo such file\r\n",
         "kalkulon: no sound device: ALSA: Couldn't open audio device No such file"},
        {"the window could not be made", "", "kalkulon: the window could not be made: no reason given"},
        {"font", std::string("a\0b\tc", 5), "kalkulon: font: a b c"},
    };
    for (const Row& r : rows) EXPECT_EQ(plat::failureLine(r.what, r.reason), r.line);
}
