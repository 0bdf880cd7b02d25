#include "lessons/pack.h"

#include "lessons/level_binary.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace lvl {

namespace {

std::string levelName(int n) { return "level" + std::to_string(n); }

std::string folderName(const fs::path& folder) {
    fs::path p = fs::absolute(folder).lexically_normal();
    if (p.filename().empty()) p = p.parent_path();
    return p.filename().string();
}

// A path inside `folder` after links are resolved, or an empty path.
fs::path inside(const fs::path& folder, const fs::path& path) {
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(path, ec);
    const fs::path root = fs::weakly_canonical(folder, ec);
    if (ec) return {};
    const auto [rootEnd, realIt] = std::mismatch(root.begin(), root.end(), real.begin(), real.end());
    return rootEnd == root.end() ? real : fs::path{};
}

std::string trimmed(std::string s) {
    const auto space = [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && space(static_cast<unsigned char>(s.back()))) s.pop_back();
    std::size_t i = 0;
    while (i < s.size() && space(static_cast<unsigned char>(s[i]))) ++i;
    return s.substr(i);
}

// A setting's word: `on` or `off` of a setting that can be either (with its line for a mistake).
bool setting(const std::string& word, const std::string& value, const char* on, const char* off, bool& into, int lineNo,
             const std::string& shownAs, std::vector<Problem>& problems) {
    if (value == on || value == off) {
        into = value == on;
        return true;
    }
    problems.push_back({shownAs,
                        lineNo,
                        {"\"" + word + "\" takes " + on + " or " + off + ", not \"" + value + "\"",
                         "\"" + word + "\" przyjmuje " + on + " albo " + off + ", nie \"" + value + "\"",
                         "\"" + word + "\" приймає " + on + " або " + off + ", а не \"" + value + "\""}});
    return false;
}

// pack.txt: "title ..." once, "note ..." lines and the settings; "#" starts a comment.
void readPackFile(const std::string& text, const std::string& shownAs, Pack& pack, std::vector<Problem>& problems) {
    std::size_t pos = 0;
    int lineNo = 0;
    int titleLine = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (lineNo == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty()) continue;
        const std::string word = line.substr(0, line.find_first_of(" \t"));
        const std::string rest = trimmed(line.substr(word.size()));
        if (word == "title") {
            if (titleLine != 0) {
                problems.push_back({shownAs,
                                    lineNo,
                                    {"a second \"title\" line (the first is line " + std::to_string(titleLine) + ")",
                                     "drugi wiersz \"title\" (pierwszy jest w wierszu " + std::to_string(titleLine) + ")",
                                     "другий рядок \"title\" (перший — рядок " + std::to_string(titleLine) + ")"}});
                continue;
            }
            titleLine = lineNo;
            if (rest.empty())
                problems.push_back(
                    {shownAs, lineNo, {"\"title\" needs a text", "\"title\" wymaga tekstu", "\"title\" потребує тексту"}});
            pack.title = rest;
        } else if (word == "note") {
            pack.notes.push_back(rest);
        } else if (word == "fps") {
            setting(word, rest, "on", "off", pack.settings.showFrameRate, lineNo, shownAs, problems);
        } else if (word == "backgrounds") {
            bool painted = !pack.settings.plainBackgrounds;
            if (setting(word, rest, "painted", "plain", painted, lineNo, shownAs, problems))
                pack.settings.plainBackgrounds = !painted;
        } else {
            problems.push_back({shownAs,
                                lineNo,
                                {"unknown word \"" + word + "\": pack.txt holds title, note, fps and backgrounds lines",
                                 "nieznane słowo \"" + word + "\": pack.txt zawiera wiersze title, note, fps i backgrounds",
                                 "невідоме слово \"" + word + "\": pack.txt містить рядки title, note, fps і backgrounds"}});
        }
    }
}

std::uint64_t fnv1a(const std::string& s) {
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
    return h;
}

// A name safe as one folder name: letters, digits, '.', '_' and '-', not starting with '.'.
std::string safeName(const std::string& name) {
    std::string out;
    for (unsigned char c : name) out += (std::isalnum(c) || c == '.' || c == '_' || c == '-') ? static_cast<char>(c) : '_';
    if (out.empty() || out.front() == '.') out.insert(out.begin(), '_');
    return out;
}

}  // namespace

bool findInstalled(const fs::path& gameFolder, Installed& installed, Text& error) {
    std::error_code ec;
    const fs::path gfx = fs::canonical(gameFolder / "gfx", ec);
    if (ec) {
        error = {"no game data in " + gameFolder.string() + " (gfx/ is missing)",
                 "brak danych gry w " + gameFolder.string() + " (brak gfx/)",
                 "немає даних гри в " + gameFolder.string() + " (немає gfx/)"};
        return false;
    }
    installed = Installed{};
    installed.folder = gfx.parent_path();
    for (int n = 1; n <= kPackLevels; ++n) {
        Level level;
        std::string why;
        const fs::path file = gameFolder / "level" / (levelName(n) + ".lvl");
        if (!readLevelFile(file.string(), level, why)) {
            error = {file.string() + ": " + why, file.string() + ": " + why, file.string() + ": " + why};
            return false;
        }
        installed.scenery.push_back({level.background, level.targetX, level.targetY, n});
    }
    return true;
}

bool readPack(const fs::path& folder, const std::vector<Scenery>& installed, Pack& pack, std::vector<Problem>& problems) {
    const std::size_t before = problems.size();
    pack = Pack{};
    pack.folder = folder;
    pack.title = folderName(folder);
    auto shown = [&](const std::string& name) { return (folder / name).string(); };
    auto readInside = [&](const std::string& name, std::string& text, bool optional) {
        const fs::path path = folder / name;
        std::error_code ec;
        if (optional && !fs::exists(fs::symlink_status(path, ec))) return false;
        if (fs::exists(fs::symlink_status(path, ec)) && inside(folder, path).empty()) {
            problems.push_back(
                {shown(name),
                 1,
                 {"the file points outside its pack", "plik wskazuje poza swój pakiet", "файл вказує за межі свого пакета"}});
            return false;
        }
        if (!optional && !fs::exists(fs::symlink_status(path, ec)))
            if (const std::string meant = nearMiss(folder, name); !meant.empty()) {
                problems.push_back({shown(name),
                                    1,
                                    {"there is no " + name + "; did you mean \"" + meant + "\"? Rename it " + name,
                                     "nie ma pliku " + name + "; czy chodzi o \"" + meant + "\"? Zmień jego nazwę na " + name,
                                     "немає файлу " + name + "; може, це \"" + meant + "\"? Перейменуйте його на " + name}});
                return false;
            }
        return readSourceFile(path, shown(name), text, problems, &pack.remarks);
    };
    std::string text;
    if (readInside("pack.txt", text, true)) readPackFile(text, shown("pack.txt"), pack, problems);
    for (int n = 1; n <= kPackLevels; ++n) {
        const std::string name = levelName(n) + ".txt";
        pack.files.push_back(shown(name));
        LevelSource source;
        if (readInside(name, text, false)) readLevelText(text, shown(name), &installed, source, problems);
        pack.levels.push_back(std::move(source));
    }
    return problems.size() == before;
}

fs::path userDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && *data == '/') return fs::path(data) / "kalkulon";
    const char* home = std::getenv("HOME");
    std::error_code ec;
    if (home == nullptr || *home != '/' || !fs::is_directory(home, ec)) return {};
    return fs::path(home) / ".local" / "share" / "kalkulon";
}

fs::path userPacksFolder() {
    const fs::path data = userDataFolder();
    return data.empty() ? data : data / "packs";
}

std::vector<fs::path> packRoots(const Installed& installed) {
    std::vector<fs::path> roots;
    if (const fs::path user = userPacksFolder(); !user.empty()) roots.push_back(user);
    roots.push_back(installed.folder / "packs");
    return roots;
}

std::vector<PackEntry> listPacks(const std::vector<fs::path>& roots) {
    std::vector<PackEntry> out;
    for (const fs::path& root : roots) {
        std::error_code ec;
        std::vector<fs::path> folders;
        const auto looksLikePack = [&](const fs::path& folder) {
            if (!nearMiss(folder, "pack.txt").empty() || fs::is_regular_file(folder / "pack.txt", ec)) return true;
            for (int n = 1; n <= kPackLevels; ++n) {
                const std::string name = levelName(n) + ".txt";
                if (fs::is_regular_file(folder / name, ec) || !nearMiss(folder, name).empty()) return true;
            }
            return false;
        };
        for (const auto& entry : fs::directory_iterator(root, ec))
            if (entry.is_directory(ec) && looksLikePack(entry.path())) folders.push_back(entry.path());
        std::sort(folders.begin(), folders.end());
        for (const fs::path& folder : folders) {
            const std::string name = folder.filename().string();
            if (std::any_of(out.begin(), out.end(), [&](const PackEntry& e) { return e.name == name; })) continue;
            Pack pack;
            std::string text;
            std::vector<Problem> ignored;
            pack.title = name;
            if (readSourceFile(folder / "pack.txt", "pack.txt", text, ignored)) readPackFile(text, "pack.txt", pack, ignored);
            out.push_back({name, pack.title.empty() ? name : pack.title, folder});
        }
    }
    return out;
}

bool resolvePack(const std::string& argument, const fs::path& startFolder, const std::vector<fs::path>& roots, PackChoice& choice,
                 Text& error) {
    const auto keys = [&choice](const fs::path& folder, const std::string& formerKey) {
        std::error_code ec;
        choice.folder = fs::canonical(folder, ec);
        char hash[17];
        std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(fnv1a(choice.folder.string())));
        choice.key = safeName(choice.folder.filename().string()).substr(0, 40) + "-" + hash;
        choice.formerKey = formerKey;
        return true;
    };
    std::error_code ec;
    if (argument.empty()) {
        error = {"--pack needs the name or folder of a pack", "--pack wymaga nazwy albo folderu pakietu",
                 "--pack потребує назви або теки пакета"};
        return false;
    }
    const fs::path given = fs::path(argument).is_absolute() ? fs::path(argument) : startFolder / argument;
    const bool looksLikePath = argument.find('/') != std::string::npos || argument == "." || argument == "..";
    if (looksLikePath || fs::is_directory(given, ec)) {
        if (!fs::is_directory(given, ec)) {
            error = {"no pack folder " + argument, "nie ma folderu pakietu " + argument, "немає теки пакета " + argument};
            return false;
        }
        const fs::path folder = fs::canonical(given, ec);
        char hash[9];
        std::snprintf(hash, sizeof hash, "%08x", static_cast<unsigned>(fnv1a(folder.string()) & 0xFFFFFFFFu));
        return keys(folder, safeName(folder.filename().string()) + "-" + hash);
    }
    for (const fs::path& root : roots) {
        if (fs::is_directory(root / argument, ec) && argument.find_first_of("/\\") == std::string::npos &&
            argument.front() != '.')
            return keys(root / argument, safeName(argument));
    }
    error = {"no pack named " + argument + " (kalkulon --list-packs lists them)",
             "nie ma pakietu " + argument + " (kalkulon --list-packs pokazuje pakiety)",
             "немає пакета " + argument + " (kalkulon --list-packs показує пакети)"};
    return false;
}

}  // namespace lvl
