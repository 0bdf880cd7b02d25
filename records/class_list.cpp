#include "records/class_list.h"

#include "records/class_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace records {

namespace {

constexpr std::uintmax_t kMostClassBytes = 256 * 1024;

// The number of characters of a UTF-8 text, or nothing when it is no UTF-8 (a stray or
// missing continuation byte, an overlong form, a surrogate, beyond U+10FFFF).
std::optional<std::size_t> characters(std::string_view s) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < s.size(); ++count) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int extra = c < 0x80                 ? 0
                          : c >= 0xC2 && c <= 0xDF ? 1
                          : c >= 0xE0 && c <= 0xEF ? 2
                          : c >= 0xF0 && c <= 0xF4 ? 3
                                                   : -1;
        if (extra < 0 || s.size() - i <= static_cast<std::size_t>(extra)) return std::nullopt;
        std::uint32_t code = extra == 0 ? c : c & (0x3Fu >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            code = (code << 6) | (next & 0x3Fu);
        }
        const std::uint32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (code < least[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return count;
}

bool hasControl(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return true;
    return false;
}

std::string folded(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

std::vector<std::string> readClassText(const std::string& text, const std::string& shownAs, std::vector<lvl::Problem>& problems) {
    std::vector<std::string> names;
    std::map<std::string, int> lineOf;
    std::istringstream in(text);
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        if (lineNo == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
        line.erase(0, line.find_first_not_of(" \t") == std::string::npos ? line.size() : line.find_first_not_of(" \t"));
        if (line.empty() || line.front() == '#') continue;
        const std::optional<std::size_t> length = characters(line);
        const auto problem = [&](const std::string& en, const std::string& pl) {
            problems.push_back({shownAs, lineNo, {en, pl}});
        };
        if (!length) {
            problem("the line is not UTF-8 text: save the file as UTF-8", "wiersz nie jest tekstem UTF-8: zapisz plik w UTF-8");
        } else if (hasControl(line)) {
            problem("the name holds a control character (a tab?)", "imię zawiera znak sterujący (tabulator?)");
        } else if (*length > kLongestName) {
            problem("the name is longer than " + std::to_string(kLongestName) + " characters",
                    "imię jest dłuższe niż " + std::to_string(kLongestName) + " znaków");
        } else if (const auto [at, fresh] = lineOf.emplace(line, lineNo); !fresh) {
            problem("\"" + line + "\" is already on line " + std::to_string(at->second),
                    "\"" + line + "\" jest już w wierszu " + std::to_string(at->second));
        } else {
            names.push_back(line);
        }
    }
    return names;
}

std::vector<std::string> readClassFile(const std::string& classFolder, std::vector<lvl::Problem>& problems) {
    const fs::path file = fs::path(classFolder) / kClassFile;
    std::error_code ec;
    if (!fs::exists(file, ec)) return {};
    if (!fs::is_regular_file(file, ec) || fs::file_size(file, ec) > kMostClassBytes || ec) {
        problems.push_back({file.string(),
                            1,
                            {"not a list of names: no regular file of under 256 KiB",
                             "to nie jest lista imion: nie jest zwykłym plikiem poniżej 256 KiB",
                             "це не список імен: не звичайний файл, менший за 256 KiB"}});
        return {};
    }
    std::ifstream in(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return readClassText(text, file.string(), problems);
}

std::string accountName() {
    if (const passwd* account = ::getpwuid(::getuid()); account != nullptr) {
        // The full name is the first field of the comment ("Anna Nowak,,,").
        const std::string full = account->pw_gecos != nullptr ? account->pw_gecos : "";
        std::string name = full.substr(0, full.find(','));
        if (!name.empty() && characters(name) && !hasControl(name)) return name;
        if (account->pw_name != nullptr && *account->pw_name != '\0') return account->pw_name;
    }
    const char* user = std::getenv("USER");
    return user != nullptr && *user != '\0' ? user : "?";
}

PlayerChoice::PlayerChoice(std::vector<std::string> classNames, std::string account)
    : names_(std::move(classNames)), account_(std::move(account)) {
    // A lab whose accounts carry the children's names finds the child already chosen.
    for (std::size_t i = 0; i < names_.size() && !chosen_; ++i)
        if (folded(names_[i]) == folded(account_)) chosen_ = i;
}

const std::string& PlayerChoice::player() const { return chosen_ ? names_[*chosen_] : account_; }

bool PlayerChoice::choose(std::size_t index) {
    if (index >= names_.size()) return false;
    chosen_ = index;
    return true;
}

}  // namespace records
