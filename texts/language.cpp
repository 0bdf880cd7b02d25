#include "texts/language.h"

#include <algorithm>
#include <cstdlib>

namespace texts {

namespace {

std::string_view variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

// "uk_UA.UTF-8@euro" without its codeset and modifier: "uk_UA".
std::string_view withoutCodeset(std::string_view entry) { return entry.substr(0, entry.find_first_of(".@")); }

}  // namespace

Locale localeOfEnvironment() { return {variable("LANGUAGE"), variable("LC_ALL"), variable("LC_MESSAGES"), variable("LANG")}; }

std::string chooseLanguage(const Locale& locale, std::span<const std::string_view> translated) {
    std::string_view name = "C";
    for (std::string_view v : {locale.lcAll, locale.lcMessages, locale.lang})
        if (!v.empty()) {
            name = v;
            break;
        }
    if (name == "C" || name == "POSIX") return std::string(kPolish);
    const auto has = [&](std::string_view code) {
        return code == kPolish || std::find(translated.begin(), translated.end(), code) != translated.end();
    };
    std::string_view list = locale.language.empty() ? name : locale.language;
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view full = withoutCodeset(list.substr(0, colon));
        list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        const std::string_view bare = full.substr(0, full.find('_'));
        if (!full.empty() && has(full)) return std::string(full);
        if (!bare.empty() && has(bare)) return std::string(bare);
    }
    return std::string(kPolish);
}

}  // namespace texts
