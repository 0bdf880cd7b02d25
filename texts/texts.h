// The texts of one language as the game draws them: text(id) gives the bytes to draw and
// place(id) where. In Polish they are the game's own bytes (Windows-1250) at their own places;
// in another language the platform texts are UTF-8, the bitmap-font texts one byte a letter
// (world/letters.h), and a text centred in its room is centred again for its own width.
#pragma once

#include "texts/language.h"
#include "texts/text_table.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace texts {

// "pl" and the languages with a catalogue.
std::vector<std::string_view> languages();
// The language a person gets without choosing: defaultLanguage for the teacher's setting and
// this process's locale.
std::string languageOfDesktop();

class Texts {
public:
    // `language` is "pl" or one of languages(); any other gives Polish.
    explicit Texts(std::string_view language = kPolish);

    std::string_view language() const { return language_; }
    bool polish() const { return language_ == kPolish; }
    // The bytes to draw, zero-terminated.
    const char* text(TextId id) const { return drawn_[index(id)].c_str(); }
    // The pen position (for a picture's caption: its centre).
    Point place(TextId id) const { return places_[index(id)]; }
    // The words in UTF-8, for the pictures, the tools and the tests.
    const std::string& utf8(TextId id) const { return words_[index(id)]; }
    // The bytes to draw for words in UTF-8 that come from elsewhere (a lesson's title, why it
    // cannot be played, a child's name): Windows-1250 in Polish, as they are in other languages.
    std::string drawn(std::string_view utf8) const;
    // The start of words in drawn bytes without their last character, whole (UTF-8 outside
    // Polish has characters of more than one byte).
    std::string withoutLast(std::string_view drawnBytes) const;

private:
    static std::size_t index(TextId id) { return static_cast<std::size_t>(id); }
    std::string language_;
    std::vector<std::string> words_;
    std::vector<std::string> drawn_;
    std::vector<Point> places_;
};

// Bytes of the bitmap font for UTF-8 words: '0' to 'Z' and the extra letters as they are, a
// small letter as its capital; '?' for a letter the font lacks.
std::string fontBytes(std::string_view utf8);
// The byte a name in the high-score table keeps for a letter typed on the desktop's layout:
// that of an extra letter (world/letters.h; a small one as its capital), 0 for any other.
std::uint8_t nameLetter(char32_t typed);
// The width in pixels of a line of platform text in UTF-8 (0 when no font is at hand).
int lineWidth(std::string_view utf8);

}  // namespace texts
