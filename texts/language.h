// The languages the game and its lesson tool speak, and which one a person gets: the one named
// on the command line, else the desktop's, chosen from the locale as gettext chooses, where a
// translation exists; Polish, the game's own, otherwise.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace texts {

// The game's own language: its texts are written in it and it needs no translation.
inline constexpr std::string_view kPolish = "pl";

// The locale variables gettext reads, empty when unset.
struct Locale {
    std::string_view language;    // LANGUAGE: a list of languages by preference, "uk:en"
    std::string_view lcAll;       // LC_ALL
    std::string_view lcMessages;  // LC_MESSAGES
    std::string_view lang;        // LANG
};

// The locale of this process's environment.
Locale localeOfEnvironment();

// The language for `locale` among "pl" and the `translated` ones (codes such as "en", "uk" or
// "pt_BR"), as gettext picks a catalogue: the first of LC_ALL, LC_MESSAGES and LANG that is
// set names the locale; in the "C" or "POSIX" locale nothing is translated; otherwise LANGUAGE,
// when set, lists the languages in order, else the locale names one. Of each entry the codeset
// and modifier are dropped ("uk_UA.UTF-8@x" is "uk_UA") and its full name is tried before its
// language alone ("uk"). "pl" when no entry has a translation.
std::string chooseLanguage(const Locale& locale, std::span<const std::string_view> translated);

}  // namespace texts
