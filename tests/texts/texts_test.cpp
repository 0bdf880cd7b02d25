// The texts of every language: each fits the room it is drawn in, as the game draws it (the
// platform text with its shadow, the bitmap font a glyph to a letter, the pictures' captions at
// their point size); each catalogue translates every text; and the language a person gets by
// the locale is the one gettext would give.
#include "texts/texts.h"
#include "platform/platform.h"
#include "platform/sdl_text.h"
#include "support/temp_dir.h"
#include "texts/catalogue.h"
#include "world/layout.h"
#include "world/letters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using texts::Kind;
using texts::Room;
using texts::TextRow;

// The inked box of a line of text whose pen is at (x, y); empty (right < left) when no ink.
Room inkOf(const plat::TextImage& image, int x, int y) {
    Room ink = {x + image.width, y + image.height, x - 1, y - 1};
    for (int row = 0; row < image.height; ++row)
        for (int col = 0; col < image.width; ++col)
            if (image.coverage[static_cast<std::size_t>(row) * image.width + col] != 0) {
                ink.left = std::min(ink.left, x + col);
                ink.top = std::min(ink.top, y + row);
                ink.right = std::max(ink.right, x + col + 1);
                ink.bottom = std::max(ink.bottom, y + row + 1);
            }
    return ink;
}

bool inside(const Room& ink, const Room& room) {
    return ink.left >= room.left && ink.top >= room.top && ink.right <= room.right && ink.bottom <= room.bottom;
}

std::string describe(const Room& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " to " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// Where the text's ink falls, with its shadow, as the game draws it; empty for a picture whose
// caption fits its room's size wherever the generator centres it.
std::string fault(const texts::Texts& words, const TextRow& row) {
    std::string utf8 = words.utf8(row.id);
    if (const std::size_t at = utf8.find("%d"); at != std::string::npos) utf8.replace(at, 2, "7");
    const texts::Point pen = words.place(row.id);
    plat::TextImage image;
    switch (row.kind) {
    case Kind::Line: {
        if (!plat::rasteriseUtf8(utf8.data(), static_cast<int>(utf8.size()), image)) return "no text drawn";
        const Room text = inkOf(image, pen.x, pen.y);
        const Room shadow = inkOf(image, pen.x - 2, pen.y - 1);
        const Room ink = {shadow.left, shadow.top, text.right, text.bottom};
        return inside(ink, row.room) ? "" : "ink " + describe(ink) + " leaves " + describe(row.room);
    }
    case Kind::Font: {
        const std::string bytes = words.text(row.id);
        for (char c : bytes) {
            const auto b = static_cast<std::uint8_t>(c);
            const bool glyph = b == ' ' || (b >= '0' && b <= 'Z') || (!words.polish() && letters::extraGlyph(b) >= 0);
            if (!glyph) return "the bitmap font has no letter for byte " + std::to_string(b);
        }
        const Room cells = {pen.x, pen.y, pen.x + layout::kGlyphWidth * static_cast<int>(bytes.size()),
                            pen.y + layout::kGlyphHeight};
        return inside(cells, row.room) ? "" : "cells " + describe(cells) + " leave " + describe(row.room);
    }
    case Kind::Lines: {  // broken at spaces as the game breaks it, a word to a line at worst
        int lines = 0;
        std::string line;
        for (std::size_t at = 0; at < utf8.size();) {
            const std::size_t space = std::min(utf8.find(' ', at + 1), utf8.size());
            std::string word = utf8.substr(at, space - at);
            if (line.empty() || texts::lineWidth(line + word) > row.room.width()) {
                if (word.front() == ' ') word.erase(0, 1);
                if (texts::lineWidth(word) > row.room.width()) return "the word \"" + word + "\" is wider than a line";
                ++lines;
                line = word;
            } else {
                line += word;
            }
            at = space;
        }
        return lines * texts::kLinePitch <= row.room.height() ? "" : std::to_string(lines) + " lines";
    }
    case Kind::Dialog: {  // the Polish texts are broken where they show
        std::size_t characters = 0;
        for (char c : utf8 + "\n") {
            if (c == '\n' && characters > static_cast<std::size_t>(texts::kDialogLine) && !words.polish())
                return "a line of " + std::to_string(characters) + " characters";
            characters = c == '\n' ? 0 : characters + ((static_cast<unsigned char>(c) & 0xC0) != 0x80);
        }
        return "";
    }
    case Kind::Picture: {
        if (!plat::sdl::rasteriseTtfUtf8(utf8, image, row.pointSize)) return "no text drawn";
        const Room ink = inkOf(image, 0, 0);
        const bool fits = ink.right - ink.left <= row.room.width() && ink.bottom - ink.top <= row.room.height();
        return fits ? ""
                    : std::to_string(ink.right - ink.left) + " x " + std::to_string(ink.bottom - ink.top) + " is more than " +
                          std::to_string(row.room.width()) + " x " + std::to_string(row.room.height());
    }
    }
    return "";
}

TEST(Texts, EveryTextOfEveryLanguageFitsItsRoom) {
    for (std::string_view language : texts::languages()) {
        const texts::Texts words(language);
        ASSERT_EQ(words.language(), language);
        for (const TextRow& row : texts::textTable())
            EXPECT_EQ(fault(words, row), "") << language << " " << row.key << " \"" << words.utf8(row.id) << "\"";
    }
    // A catalogue that lacks a text shows it in Polish: each must have them all.
    for (const texts::Catalogue& catalogue : texts::catalogues())
        for (const TextRow& row : texts::textTable()) {
            const auto& t = catalogue.translations;
            EXPECT_TRUE(std::any_of(t.begin(), t.end(), [&](const texts::Translation& e) { return e.key == row.key; }))
                << catalogue.language << " does not translate " << row.key;
        }
}

TEST(Texts, TheLocaleChoosesAsGettextDoes) {
    struct Case {
        texts::Locale locale;
        const char* expected;
    };
    const Case cases[] = {
        {{}, "pl"},                                      // nothing set: the C locale
        {{"", "", "", "uk_UA.UTF-8"}, "uk"},             // LANG alone
        {{"", "", "en_GB.UTF-8", "uk_UA.UTF-8"}, "en"},  // LC_MESSAGES before LANG
        {{"", "uk_UA", "en_GB", "pl_PL"}, "uk"},         // LC_ALL before both
        {{"", "", "", "de_DE.UTF-8"}, "pl"},             // no translation: the game's own
        {{"de:uk:en", "", "", "de_DE.UTF-8"}, "uk"},     // LANGUAGE's first with a translation
        {{"de", "", "", "en_US.UTF-8"}, "pl"},           // LANGUAGE decides alone
        {{"uk", "C", "", "en_US.UTF-8"}, "pl"},          // the C locale ignores LANGUAGE
        {{"uk", "", "", "POSIX"}, "pl"},                 // and so does POSIX
        {{"uk", "", "", "C.UTF-8"}, "uk"},               // but C.UTF-8 does not
        {{"", "", "", "en@quot"}, "en"},                 // a modifier
        {{"pt_BR:en_US", "", "", "pt_BR.UTF-8"}, "en"},  // full name, then the language
        {{"::pl_PL:", "", "", "uk_UA.UTF-8"}, "pl"},     // empty entries skipped
    };
    const std::string_view translated[] = {"en", "uk"};
    for (const Case& c : cases)
        EXPECT_EQ(texts::chooseLanguage(c.locale, translated), c.expected)
            << "LANGUAGE=" << c.locale.language << " LC_ALL=" << c.locale.lcAll << " LC_MESSAGES=" << c.locale.lcMessages
            << " LANG=" << c.locale.lang;
}

}  // namespace

// A teacher's setting comes before the locale: KALKULON_LANGUAGE, then the user's setting file,
// then the system's; a code the game does not speak leaves the choice to the locale.
TEST(Texts, ATeachersSettingComesBeforeTheLocaleAndAnUnknownOneIsPassedOver) {
    const std::string_view translated[] = {"en", "uk"};
    const texts::Locale english = {"", "", "", "en_GB.UTF-8"};
    for (const auto& [code, expected] : {std::pair{"uk", "uk"}, {"pl", "pl"}, {"de", "en"}, {"", "en"}, {"uk_UA", "en"}})
        EXPECT_EQ(texts::defaultLanguage({code, "here"}, english, translated), expected) << code;

    testing_support::TempDir dir;
    const auto set = [](const char* name, const std::string& value) { ::setenv(name, value.c_str(), 1); };
    set("XDG_CONFIG_HOME", (dir.path() / "user").string());
    set("XDG_CONFIG_DIRS", "relative:" + (dir.path() / "system").string());
    ::unsetenv("KALKULON_LANGUAGE");
    EXPECT_EQ(texts::teachersSetting().code, "");
    std::filesystem::create_directories(dir.path() / "system/kalkulon");
    dir.write("system/kalkulon/language", "# the class\n\n  uk \r\n");
    const texts::Setting system = texts::teachersSetting();
    EXPECT_EQ(system.code, "uk");
    EXPECT_EQ(system.where, (dir.path() / "system/kalkulon/language").string() + ":3");
    std::filesystem::create_directories(dir.path() / "user/kalkulon");
    dir.write("user/kalkulon/language", "en");
    EXPECT_EQ(texts::teachersSetting().code, "en");
    set("KALKULON_LANGUAGE", "pl");
    EXPECT_EQ(texts::teachersSetting().where, "KALKULON_LANGUAGE");
    for (const char* name : {"KALKULON_LANGUAGE", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"}) ::unsetenv(name);
}
