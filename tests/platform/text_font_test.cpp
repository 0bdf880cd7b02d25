// The game's text comes from the font's data (platform/common/text_glyphs.h) in every back end;
// here each line the game can draw is laid out from it and rasterised by SDL_ttf from the font
// file, and the two must agree to the byte: every text the game's screens and shell pass to the
// text output (read from their sources, so a new text is proved without a list to keep), every
// byte alone, and numbers across the range the game shows; and lines of other languages, in
// UTF-8, with every letter the data covers beyond Windows-1250 (Latin-1, Cyrillic).
#include "platform/cp1250.h"
#include "platform/platform.h"
#include "platform/sdl_text.h"
#include "texts/text_table.h"
#include "texts/texts.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

// The Windows-1250 bytes of UTF-8 source text.
std::string fromUtf8(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : 3;
        char32_t cp = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra && i + static_cast<std::size_t>(k) < utf8.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        out.push_back(plat::cp1250Byte(cp));
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

// Every line of platform text of the table of texts, in Polish (the game's bytes) and in UTF-8
// for every other language.
std::set<std::string> tableTexts(bool polish) {
    std::set<std::string> texts;
    for (std::string_view language : texts::languages()) {
        const texts::Texts words(language);
        if (words.polish() != polish) continue;
        for (const texts::TextRow& row : texts::textTable())
            if (row.kind == texts::Kind::Line) texts.insert(polish ? std::string(words.text(row.id)) : words.utf8(row.id));
    }
    return texts;
}

// Every literal of screens/ and shell/ that reaches the text output: cp1250("...") constants and
// texts written straight into a drawText call, and the Polish lines of the table of texts.
std::set<std::string> gameTexts() {
    const std::regex literal(R"re((?:cp1250|drawText|drawFrontText)\((?:[^;"]*,\s*)?"([^"\\%]+)"\))re");
    std::set<std::string> texts;
    for (const char* folder : {"screens", "shell"})
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(KALKULON_SOURCE_DIR) / folder)) {
            std::ifstream in(entry.path());
            const std::string source((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            for (std::sregex_iterator it(source.begin(), source.end(), literal), end; it != end; ++it)
                texts.insert(fromUtf8((*it)[1].str()));
        }
    texts.merge(tableTexts(true));
    return texts;
}

::testing::AssertionResult sameAsTtf(const std::string& text) {
    plat::TextImage ours;
    plat::TextImage ttf;
    const int length = static_cast<int>(text.size());
    const bool drawn = plat::rasteriseText(text.data(), length, ours);
    const bool ttfDrawn = plat::sdl::rasteriseTtf(text.data(), length, ttf, 12);
    if (drawn == ttfDrawn && ours.width == ttf.width && ours.height == ttf.height && ours.coverage == ttf.coverage)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << plat::toUtf8(text) << "\": " << ours.width << "x" << ours.height
                                         << " from the data, " << ttf.width << "x" << ttf.height << " from SDL_ttf";
}

}  // namespace

TEST(TextFont, EveryLineTheGameCanDrawIsSdlTtfsLine) {
    std::set<std::string> texts = gameTexts();
    ASSERT_GE(texts.size(), 30u) << "the texts were not found in the sources";
    ASSERT_TRUE(texts.count(fromUtf8("Zły matematyk Minusor porwał Wielką Księgę Działań")));
    for (int level = 1; level <= 7; ++level) texts.insert("Poziom " + std::to_string(level));
    for (int byte = 1; byte < 256; ++byte) texts.insert(std::string(1, static_cast<char>(byte)));
    for (long long n = -1100; n <= 1100; ++n) texts.insert(std::to_string(n));
    for (long long power = 10; power <= 1'000'000'000; power *= 10)
        for (long long n : {power - 1, power + 7, -power + 1, 3 * power + 41}) texts.insert(std::to_string(n));
    texts.insert(std::to_string(INT_MAX));
    texts.insert(std::to_string(INT_MIN));
    for (const std::string& text : texts) EXPECT_TRUE(sameAsTtf(text));
}

TEST(TextFont, LinesOfOtherLanguagesAreSdlTtfsLines) {
    std::vector<std::string> lines = {"NEW GAME", "Well done! Your score: 120",           "Begin again?  Ünïcödé façade",
                                      "НОВА ГРА", "Ґанок, їжак, єнот, іній: усе гаразд!", "Привіт, світе! 7 + 5 = 12"};
    const auto utf8 = [](char32_t cp) {
        std::string s;
        if (cp < 0x800) {
            s += static_cast<char>(0xC0 | (cp >> 6));
        } else {
            s += static_cast<char>(0xE0 | (cp >> 12));
            s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        }
        s += static_cast<char>(0x80 | (cp & 0x3F));
        return s;
    };
    for (char32_t cp = 0xA1; cp <= 0x17F; ++cp) lines.push_back(utf8(cp) + "Va");
    for (char32_t cp = 0x400; cp <= 0x45F; ++cp) lines.push_back(utf8(cp) + "Ау");
    for (const std::string& line : tableTexts(false)) lines.push_back(line);
    for (const std::string& line : lines) {
        plat::TextImage ours;
        plat::TextImage ttf;
        const bool drawn = plat::rasteriseUtf8(line.data(), static_cast<int>(line.size()), ours);
        const bool ttfDrawn = plat::sdl::rasteriseTtfUtf8(line, ttf, 12);
        EXPECT_TRUE(drawn && ttfDrawn && ours.width == ttf.width && ours.height == ttf.height && ours.coverage == ttf.coverage)
            << line << ": " << ours.width << "x" << ours.height << " from the data, " << ttf.width << "x" << ttf.height;
    }
}
