// The error dialog's texts and the trace "debug.txt".
#include "shell/error.h"
#include "platform/cp1250.h"
#include "platform/dialog_text.h"
#include "platform/headless.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>

using testing_support::TempDir;

TEST(ErrorText, EachCodeHasItsOwnRowAndOthersShareTheUnassignedText) {
    EXPECT_EQ(errorText(0), plat::cp1250("Kategoria: ALERT:\nTa wartość nie oznacza błędu.\nNie powinneś "
                                         "wywoływać tej metody teraz.")
                                .view());
    EXPECT_EQ(errorText(1), plat::cp1250("Kategoria: GENERAL: Brak pamięci na wykonanie programu.\n").view());
    EXPECT_EQ(errorText(3), plat::cp1250("Kategoria: VIDEO: DirectDraw nie jest zainstalowane w systemie. Aby "
                                         "program działał musisz go zainstalować.\n")
                                .view());
    EXPECT_EQ(errorText(12), plat::cp1250("Kategoria: VIDEO: Wystąpił błąd przy flipowaniu powierzchni.\n").view());
    EXPECT_EQ(errorText(13), plat::cp1250("Kategoria: VIDEO: Wystąpił błąd przy tworzeniu kontekstu DD4.\n").view());

    // Every code 0..13 has a text of its own, all distinct and within the 256-byte buffer.
    std::size_t longest = 0;
    for (int a = 0; a <= 13; ++a) {
        longest = std::max(longest, errorText(a).size());
        for (int b = a + 1; b <= 13; ++b) EXPECT_NE(errorText(a), errorText(b)) << a << " vs " << b;
    }
    EXPECT_EQ(longest, 108u);

    const auto unassigned = plat::cp1250(
        "Kategoria: ALERT:\nTen błąd jeszcze nie jest przypisany.\nDodaj go do "
        "pętli komunikatów 'error.showMessage'.");
    for (int code : {14, 15, 1000, -1, -5, INT_MIN}) EXPECT_EQ(errorText(code), unassigned.view()) << code;
}

TEST(ErrorDialog, ShowsTheTextOfTheCodeUnderTheCaptionBlad) {
    plat::headless::reset();
    ErrorReporter error;
    error.showMessage(ErrorCode::DisplayModeFailed);
    error.showMessage(-3);
    const auto& boxes = plat::headless::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, std::string(plat::cp1250("Błąd!")));
    EXPECT_EQ(boxes[0].text, std::string(errorText(5)));
    EXPECT_EQ(boxes[1].text, std::string(errorText(14)));
    plat::headless::reset();
}

TEST(ErrorDialog, LongTextsAreWrappedAtSpacesToFitANarrowScreen) {
    plat::headless::reset();
    ErrorReporter error;
    for (int code = 0; code <= 14; ++code) {
        error.showMessage(code);
        const auto& box = plat::headless::messageBoxes().back();
        std::string shown = box.shown;
        for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
            end = shown.find('\n', start);
            EXPECT_LE((end == std::string::npos ? shown.size() : end) - start, plat::kDialogLineLength) << code;
        }
        // Only spaces became line breaks.
        std::string text = box.text;
        std::replace(shown.begin(), shown.end(), '\n', ' ');
        std::replace(text.begin(), text.end(), '\n', ' ');
        EXPECT_EQ(shown, text);
    }
    const std::string& longest = plat::headless::messageBoxes()[3].shown;  // 108 bytes: two lines
    EXPECT_EQ(std::count(longest.begin(), longest.end(), '\n'), 2);
    EXPECT_EQ(plat::wrapDialogText("abcdefghij kl", 4), "abcd\nefgh\nij\nkl");  // a long word is cut
    plat::headless::reset();
}

TEST(DebugLog, AppendsTextsAndNumbersBareAndTruncatesOnlyWhenAsked) {
    TempDir dir;
    ErrorReporter error(kTraceFile);
    error.debugLog("stare\n", true);
    error.debugLog("konstruktor...", false);  // a fresh run: nothing of the earlier one stays
    error.debugLog("ok.\n");
    error.debugLog(plat::cp1250("błąd \n"));
    error.debugLog(-5);
    error.debugLog(" ");
    error.debugLog(0);
    error.debugLog(" ");
    error.debugLog(INT_MIN);
    error.debugLog(" ");
    error.debugLog(INT_MAX);
    EXPECT_EQ(dir.read("debug.txt"),
              std::string("konstruktor...ok.\n") + plat::cp1250("błąd \n").c_str() + "-5 0 -2147483648 2147483647");
}

TEST(DebugLog, ATraceThatCannotBeOpenedWritesNothingAndTheGameGoesOn) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "debug.txt");  // not a file: cannot be opened
    ErrorReporter error(kTraceFile);
    error.debugLog("ok.\n");
    error.debugLog(42, false);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "debug.txt"));
}
