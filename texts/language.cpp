#include "texts/language.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace texts {

namespace {

std::string_view variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

// "uk_UA.UTF-8@euro" without its codeset and modifier: "uk_UA".
std::string_view withoutCodeset(std::string_view entry) { return entry.substr(0, entry.find_first_of(".@")); }

// The folders a setting file is looked for in, the user's first (XDG Base Directory rules: a
// relative path in a variable is ignored).
std::vector<std::string> configFolders() {
    std::vector<std::string> folders;
    if (const std::string_view home = variable("XDG_CONFIG_HOME"); home.starts_with('/')) folders.emplace_back(home);
    else if (const std::string_view user = variable("HOME"); user.starts_with('/'))
        folders.push_back(std::string(user) + "/.config");
    std::string_view system = variable("XDG_CONFIG_DIRS");
    if (system.empty()) system = "/etc/xdg";
    while (!system.empty()) {
        const std::size_t colon = system.find(':');
        if (const std::string_view folder = system.substr(0, colon); folder.starts_with('/')) folders.emplace_back(folder);
        system = colon == std::string_view::npos ? std::string_view() : system.substr(colon + 1);
    }
    return folders;
}

// The code on the first line of the file that is neither empty nor a comment, with its place.
Setting readSetting(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    constexpr int kLinesRead = 100;  // a setting file is a line or two; the rest is not read
    for (int number = 1; number <= kLinesRead && std::getline(in, line); ++number) {
        const std::size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos || line[start] == '#') continue;
        const std::size_t end = line.find_last_not_of(" \t\r");
        return {line.substr(start, end + 1 - start), path + ":" + std::to_string(number)};
    }
    return {};
}

}  // namespace

Setting teachersSetting() {
    if (const std::string_view code = variable("KALKULON_LANGUAGE"); !code.empty())
        return {std::string(code), "KALKULON_LANGUAGE"};
    for (const std::string& folder : configFolders())
        if (Setting setting = readSetting(folder + "/kalkulon/language"); !setting.code.empty()) return setting;
    return {};
}

std::string defaultLanguage(const Setting& setting, const Locale& locale, std::span<const std::string_view> translated) {
    const bool known = setting.code == kPolish ||
                       std::find(translated.begin(), translated.end(), setting.code) != translated.end();
    return known ? setting.code : chooseLanguage(locale, translated);
}

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
