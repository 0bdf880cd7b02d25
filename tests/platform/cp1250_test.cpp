// The game's texts are Windows-1250 bytes written as UTF-8 in the source.
#include "platform/cp1250.h"

#include <gtest/gtest.h>

TEST(Cp1250, EveryPolishLetterConvertsBothWays) {
    constexpr auto text = plat::cp1250("ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ");
    EXPECT_EQ(std::string(text.view()), "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF \xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF");
    EXPECT_EQ(plat::toUtf8(text.view()), "ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ");
    EXPECT_EQ(std::string(plat::cp1250("Wczytuję...").view()), "Wczytuj\xEA...");
    EXPECT_EQ(plat::cp1250("Błąd!").length, 5u);
    // A character the code page lacks becomes '?', and an undefined byte U+FFFD.
    EXPECT_EQ(std::string(plat::cp1250("€→").view()), "\x80?");
    EXPECT_EQ(plat::toUtf8("\x81"), "\xEF\xBF\xBD");
}
