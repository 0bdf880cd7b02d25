// The languages the game and its lesson tool speak, and which one a person gets: the one named
// on the command line, else the one a teacher set for the computer or the account, else the
// desktop's, chosen from the locale as gettext chooses, where a translation exists; Polish, the
// game's own, otherwise.
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

// The language a teacher set once for every game: the environment variable KALKULON_LANGUAGE,
// else the setting file kalkulon/language in the user's configuration folder ($XDG_CONFIG_HOME,
// by default ~/.config), else in the system's ($XDG_CONFIG_DIRS, by default /etc/xdg). The
// file's first line that is neither empty nor a comment (#) names the language ("uk").
struct Setting {
    std::string code;   // empty: nothing set
    std::string where;  // "KALKULON_LANGUAGE", or "FILE:LINE" of the code
};
Setting teachersSetting();

// The language of a game started without one named: the setting's where it is "pl" or among
// `translated`, else the locale's (chooseLanguage).
std::string defaultLanguage(const Setting& setting, const Locale& locale, std::span<const std::string_view> translated);

// The language for `locale` among "pl" and the `translated` ones (codes such as "en", "uk" or
// "pt_BR"), as gettext picks a catalogue: the first of LC_ALL, LC_MESSAGES and LANG that is
// set names the locale; in the "C" or "POSIX" locale nothing is translated; otherwise LANGUAGE,
// when set, lists the languages in order, else the locale names one. Of each entry the codeset
// and modifier are dropped ("uk_UA.UTF-8@x" is "uk_UA") and its full name is tried before its
// language alone ("uk"). "pl" when no entry has a translation.
std::string chooseLanguage(const Locale& locale, std::span<const std::string_view> translated);

}  // namespace texts
