#include "lessons/level.h"
#include "lessons/language.h"
#include "texts/language.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace lvl {

std::int32_t cellToPixel(double cell) { return static_cast<std::int32_t>(std::lround(cell * kCell)); }

std::string cellText(std::int32_t pixel) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.5f", pixel / static_cast<double>(kCell));
    std::string s = buffer;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

Language languageCalled(std::string_view code) {
    return code == "en" ? Language::English : code == "uk" ? Language::Ukrainian : Language::Polish;
}

Language languageFromEnvironment() {
    static constexpr std::string_view kTranslated[] = {"en", "uk"};
    return languageCalled(texts::defaultLanguage(texts::teachersSetting(), texts::localeOfEnvironment(), kTranslated));
}

void report(std::FILE* to, const std::vector<Problem>& problems, Language language) {
    for (const Problem& p : problems) std::fprintf(to, "%s\n", p.format(language).c_str());
}

}  // namespace lvl
