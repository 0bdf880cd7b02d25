// The two languages of the lesson tools' messages: Polish and English, chosen by the locale.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace lvl {

enum class Language { English, Polish };

// A message in both languages (UTF-8).
struct Text {
    std::string en;
    std::string pl;
    const std::string& in(Language language) const { return language == Language::Polish ? pl : en; }
};

// Polish when the first of LC_ALL, LC_MESSAGES and LANG that is set starts with "pl".
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
