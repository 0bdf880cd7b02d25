// The languages of the lesson tools' messages: Polish, English and Ukrainian, chosen as the game
// chooses its own (texts/language.h).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lvl {

enum class Language { English, Polish, Ukrainian };

// A message in the three languages (UTF-8). One without its Ukrainian words (a file name, a
// system's message) is shown in English to a Ukrainian reader.
struct Text {
    Text() = default;
    Text(std::string english, std::string polish, std::string ukrainian = {})
        : en(std::move(english)), pl(std::move(polish)), uk(std::move(ukrainian)) {}
    std::string en;
    std::string pl;
    std::string uk;
    const std::string& in(Language language) const {
        if (language == Language::Polish) return pl;
        return language == Language::Ukrainian && !uk.empty() ? uk : en;
    }
};

// The language of the code "pl", "en" or "uk"; Polish for any other.
Language languageCalled(std::string_view code);
// The language a teacher set (texts::teachersSetting), else the desktop's where the messages have
// it, else Polish: LANGUAGE, LC_ALL, LC_MESSAGES and LANG read as gettext reads them
// (texts::defaultLanguage).
Language languageFromEnvironment();

// A mistake in a file a person wrote: "file:line: what is wrong".
struct Problem {
    std::string file;
    int line = 0;
    Text what;
    std::string format(Language language) const { return file + ":" + std::to_string(line) + ": " + what.in(language); }
};

// Writes each problem on a line of its own.
void report(std::FILE* to, const std::vector<Problem>& problems, Language language);

}  // namespace lvl
