#include "texts/texts.h"

#include "platform/cp1250.h"
#include "platform/platform.h"
#include "texts/catalogue.h"
#include "world/layout.h"
#include "world/letters.h"

namespace texts {

namespace {

const Catalogue* catalogueOf(std::string_view language) {
    for (const Catalogue& c : catalogues())
        if (c.language == language) return &c;
    return nullptr;
}

std::string_view translated(const Catalogue& catalogue, const TextRow& row) {
    for (const Translation& t : catalogue.translations)
        if (t.key == row.key) return t.text;
    return row.polish;  // untranslated: the game's own words
}

char32_t capital(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 0x20;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;  // а to я
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;  // і, ї, є and the rest of the row
    if (c == 0x491) return 0x490;                   // ґ
    return c;
}

// A format's number as the widest it gets in a level caption.
std::string measured(std::string_view words) {
    const std::size_t at = words.find("%d");
    if (at == std::string_view::npos) return std::string(words);
    return std::string(words.substr(0, at)).append("0").append(words.substr(at + 2));
}

}  // namespace

std::vector<std::string_view> languages() {
    std::vector<std::string_view> codes = {kPolish};
    for (const Catalogue& c : catalogues()) codes.push_back(c.language);
    return codes;
}

std::string languageOfDesktop() { return defaultLanguage(teachersSetting(), localeOfEnvironment(), languages()); }

std::string fontBytes(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::uint8_t byte = letters::byteOf(capital(plat::nextCodePoint(utf8.data(), utf8.size(), i)));
        out.push_back(byte != 0 ? static_cast<char>(byte) : '?');
    }
    return out;
}

std::uint8_t nameLetter(char32_t typed) { return typed >= 0x80 ? letters::byteOf(capital(typed)) : 0; }

int lineWidth(std::string_view utf8) {
    plat::TextImage image;
    plat::rasteriseUtf8(utf8.data(), static_cast<int>(utf8.size()), image);
    return image.width;
}

std::string Texts::drawn(std::string_view utf8) const { return polish() ? plat::fromUtf8(utf8) : std::string(utf8); }

std::string Texts::withoutLast(std::string_view drawnBytes) const {
    std::size_t end = drawnBytes.empty() ? 0 : drawnBytes.size() - 1;
    if (!polish())
        while (end > 0 && (static_cast<std::uint8_t>(drawnBytes[end]) & 0xC0) == 0x80) --end;
    return std::string(drawnBytes.substr(0, end));
}

Texts::Texts(std::string_view language) : language_(kPolish) {
    const Catalogue* catalogue = catalogueOf(language);
    if (catalogue != nullptr) language_ = catalogue->language;
    for (const TextRow& row : textTable()) {
        std::string words(catalogue != nullptr ? translated(*catalogue, row) : row.polish);
        std::string drawn = catalogue == nullptr ? plat::fromUtf8(words) : row.kind == Kind::Font ? fontBytes(words) : words;
        Point place = row.place;
        if (catalogue != nullptr && row.align == Align::Centre && row.kind != Kind::Picture) {
            const int width = row.kind == Kind::Font ? layout::kGlyphWidth * static_cast<int>(drawn.size())
                                                     : lineWidth(measured(words));
            place.x = row.room.left + (row.room.width() - width) / 2;
        }
        words_.push_back(std::move(words));
        drawn_.push_back(std::move(drawn));
        places_.push_back(place);
    }
}

}  // namespace texts
