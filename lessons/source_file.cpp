#include "lessons/source_file.h"

#include "platform/cp1250.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace lvl {

namespace {

constexpr std::uintmax_t kMostSourceBytes = 64 * 1024;

// A name as a person may have meant it: small letters, no spaces, dashes or underscores, and
// no ".txt" however often it is there.
std::string meant(std::string name) {
    std::string out;
    for (unsigned char c : name)
        if (c != ' ' && c != '-' && c != '_') out += static_cast<char>(std::tolower(c));
    while (out.ends_with(".txt") || out.ends_with(".")) out.erase(out.size() - (out.ends_with(".") ? 1 : 4));
    return out;
}

bool definedInCp1250(std::string_view bytes) {
    return std::none_of(bytes.begin(), bytes.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0x80 && plat::kCp1250High[b - 0x80] == 0;
    });
}

}  // namespace

bool isUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || bytes.size() - i <= static_cast<std::size_t>(extra)) return false;
        char32_t cp = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) return false;
            cp = cp << 6 | (next & 0x3F);
        }
        constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

bool readSourceFile(const fs::path& path, const std::string& shownAs, std::string& text, std::vector<Problem>& problems,
                    std::vector<Problem>* remarks) {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (ec || !fs::is_regular_file(status)) {
        problems.push_back(
            {shownAs,
             1,
             {"cannot read the file: it is missing or not a file", "nie można odczytać pliku: brak go albo nie jest plikiem",
              "не вдається прочитати файл: його немає або це не файл"}});
        return false;
    }
    if (fs::file_size(path, ec) > kMostSourceBytes) {
        problems.push_back({shownAs,
                            1,
                            {"the file is longer than 64 KiB: not a level source",
                             "plik ma ponad 64 KiB: to nie jest opis poziomu", "файл більший за 64 KiB: це не опис рівня"}});
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        problems.push_back({shownAs, 1, {"cannot read the file", "nie można odczytać pliku", "не вдається прочитати файл"}});
        return false;
    }
    if (isUtf8(text)) return true;
    if (!definedInCp1250(text)) {
        problems.push_back({shownAs,
                            1,
                            {"the file is neither UTF-8 nor Windows-1250: save it as UTF-8",
                             "plik nie jest ani w UTF-8, ani w Windows-1250: zapisz go w UTF-8",
                             "файл не в UTF-8 і не в Windows-1250: збережіть його в UTF-8"}});
        return false;
    }
    text = plat::toUtf8(text);
    if (remarks != nullptr)
        remarks->push_back({shownAs,
                            1,
                            {"note: the file is not UTF-8 and was read as Windows-1250 (what Notepad saves as \"ANSI\")",
                             "uwaga: plik nie jest w UTF-8, odczytano go jako Windows-1250 (tak Notatnik zapisuje „ANSI”)",
                             "увага: файл не в UTF-8, його прочитано як Windows-1250 (так Блокнот зберігає «ANSI»)"}});
    return true;
}

std::string nearMiss(const fs::path& folder, const std::string& wanted) {
    std::error_code ec;
    const std::string target = meant(wanted);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name != wanted && meant(name) == target && entry.is_regular_file(ec)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names.empty() ? "" : names.front();
}

}  // namespace lvl
