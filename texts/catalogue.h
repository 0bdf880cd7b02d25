// The translations, made at build time from po/*.po (tools/po): for each language of
// po/LINGUAS, the translated texts of the table by their keys. Fuzzy and empty ones are left
// out, so such a text shows in Polish, as gettext shows a text it has no translation for.
#pragma once

#include <span>
#include <string_view>

namespace texts {

struct Translation {
    std::string_view key;   // the row's key (its msgctxt)
    std::string_view text;  // UTF-8
};

struct Catalogue {
    std::string_view language;  // "en"
    std::span<const Translation> translations;
};

// Every catalogue, in the order of po/LINGUAS.
std::span<const Catalogue> catalogues();

}  // namespace texts
