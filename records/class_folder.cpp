#include "records/class_folder.h"

#include "lessons/pack.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace records {

namespace {

constexpr std::uintmax_t kMostSettingBytes = 64 * 1024;

lvl::Text said(const lvl::Problem& p) { return {p.format(lvl::Language::English), p.format(lvl::Language::Polish)}; }

// An XDG variable's value when it is an absolute path, else empty.
fs::path absoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value == '/' ? fs::path(value) : fs::path();
}

// The configuration folders in the order the XDG rules search them.
std::vector<fs::path> configFolders() {
    std::vector<fs::path> folders;
    if (fs::path home = absoluteVariable("XDG_CONFIG_HOME"); !home.empty()) {
        folders.push_back(home);
    } else if (const char* h = std::getenv("HOME"); h != nullptr && *h == '/') {
        folders.push_back(fs::path(h) / ".config");
    }
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    std::stringstream list(dirs != nullptr && *dirs != '\0' ? dirs : "/etc/xdg");
    for (std::string dir; std::getline(list, dir, ':');)
        if (dir.starts_with('/')) folders.emplace_back(dir);
    return folders;
}

// A setting file's text, when it is a regular file of a sensible size.
bool readSetting(const fs::path& file, std::string& text, std::vector<lvl::Problem>& problems) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec) || fs::file_size(file, ec) > kMostSettingBytes || ec) {
        problems.push_back({file.string(),
                            1,
                            {"not a setting file: no regular file of under 64 KiB",
                             "to nie jest plik ustawień: nie jest zwykłym plikiem poniżej 64 KiB",
                             "це не файл налаштувань: не звичайний файл, менший за 64 KiB"}});
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// Can a file be made in `folder`? A probe file of a name no one else uses, made and removed.
bool writable(const fs::path& folder, int& error) {
    const std::string probe = (folder / (".probe-" + std::to_string(::getpid()) + "-XXXXXX")).string();
    std::string name = probe;
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        error = errno;
        return false;
    }
    ::close(fd);
    ::unlink(name.c_str());
    return true;
}

}  // namespace

bool readSettingText(const std::string& text, const std::string& shownAs, fs::path& folder, std::vector<lvl::Problem>& problems) {
    std::istringstream in(text);
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        line.erase(0, start);
        if (line.front() != '/') {
            problems.push_back({shownAs,
                                lineNo,
                                {"the class folder must be an absolute path (starting with /): " + line,
                                 "folder klasy musi być ścieżką bezwzględną (od /): " + line,
                                 "тека класу має бути абсолютним шляхом (від /): " + line}});
            return false;
        }
        folder = line;
        return true;
    }
    problems.push_back({shownAs,
                        lineNo == 0 ? 1 : lineNo,
                        {"the file names no class folder", "plik nie podaje folderu klasy", "файл не називає теки класу"}});
    return false;
}

ClassSetting findClassFolder(const fs::path& option, std::vector<lvl::Text>& notes) {
    if (!option.empty()) return {option, "--class"};
    if (const char* value = std::getenv(kClassVariable); value != nullptr && *value != '\0') {
        if (*value == '/') return {value, kClassVariable};
        notes.push_back(
            {std::string(kClassVariable) + " is not an absolute path, so it is ignored: " + value,
             "zmienna " + std::string(kClassVariable) + " nie jest ścieżką bezwzględną, więc zostaje pominięta: " + value,
             "змінна " + std::string(kClassVariable) + " не є абсолютним шляхом, тому її пропущено: " + value});
        return {};
    }
    for (const fs::path& config : configFolders()) {
        const fs::path file = config / kSettingFile;
        std::error_code ec;
        if (!fs::exists(file, ec)) continue;
        std::vector<lvl::Problem> problems;
        std::string text;
        fs::path folder;
        if (readSetting(file, text, problems) && readSettingText(text, file.string(), folder, problems))
            return {folder, file.string()};
        for (const lvl::Problem& p : problems) notes.push_back(said(p));
        return {};
    }
    return {};
}

bool prepareRecordsFolder(const fs::path& classFolder, fs::path& records, lvl::Text& error) {
    std::error_code ec;
    if (!classFolder.empty()) {
        if (!fs::is_directory(classFolder, ec)) {
            error = {"the class folder " + classFolder.string() + " is missing or no folder",
                     "folderu klasy " + classFolder.string() + " nie ma albo nie jest folderem",
                     "теки класу " + classFolder.string() + " немає або це не тека"};
            return false;
        }
        records = classFolder / kRecordsFolder;
        fs::create_directory(records, ec);
    } else {
        const fs::path data = lvl::userDataFolder();
        if (data.empty()) {
            error = {"HOME is not set: there is no data folder for the records",
                     "HOME nie jest ustawione: nie ma folderu danych na dziennik gier",
                     "HOME не задано: немає теки даних для журналу ігор"};
            return false;
        }
        records = data / kRecordsFolder;
        // Only the player reads what the player practised.
        if (fs::create_directories(records, ec)) fs::permissions(records, fs::perms::owner_all, ec);
    }
    int why = 0;
    if (!fs::is_directory(records, ec) || !writable(records, why)) {
        const std::string reason = why != 0 ? std::strerror(why) : "no folder";
        error = {"records cannot be written in " + records.string() + " (" + reason + ")",
                 "nie można zapisywać dziennika gier w " + records.string() + " (" + reason + ")",
                 "не вдається записувати журнал ігор у " + records.string() + " (" + reason + ")"};
        return false;
    }
    return true;
}

}  // namespace records
