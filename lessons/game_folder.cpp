#include "lessons/game_folder.h"

#include "lessons/level_binary.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace lvl {

namespace {

constexpr const char* kParts[] = {"level", "gfx", "music"};
constexpr const char* kBuildPrefix = ".build-";

// The parts of a game folder as the pack wants them.
struct Parts {
    std::vector<std::vector<std::uint8_t>> levels;           // level/levelN.lvl
    std::vector<std::pair<std::string, fs::path>> pictures;  // gfx/NAME, a link to the path
    fs::path music;                                          // music, a link to the path
};

std::string levelFile(int n) { return "level" + std::to_string(n) + ".lvl"; }

// "cannot WHAT PATH: WHY", `what` in each language.
Text failed(const Text& what, const fs::path& path, const std::string& why) {
    const auto said = [&](const std::string& words, const std::string& verb) {
        return words + " " + verb + " " + path.string() + ": " + why;
    };
    return {said("cannot", what.en), said("nie można", what.pl), said("не вдається", what.uk)};
}

// The pictures of `folder` as parts named `prefix` + their names, their plain forms when asked;
// the folders in it (each language's pictures) alike, but the plain ones and no deeper.
bool pictures(const fs::path& folder, const std::string& prefix, bool plainBackgrounds, Parts& parts, std::error_code& ec) {
    const fs::path plain = folder / kPlainFolder;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        std::error_code err;
        if (entry.is_directory(err)) {
            if (prefix.empty() && name != kPlainFolder && !pictures(entry.path(), name + "/", plainBackgrounds, parts, ec))
                return false;
            continue;
        }
        if (prefix.empty() && name.starts_with("klocki")) continue;
        const bool usePlain = plainBackgrounds && fs::is_regular_file(plain / name, err);
        parts.pictures.emplace_back(prefix + name, usePlain ? plain / name : entry.path());
    }
    return !ec;
}

bool wanted(const Pack& pack, const Installed& installed, Parts& parts, Text& error) {
    for (const LevelSource& source : pack.levels) parts.levels.push_back(encodeLevel(source.level));
    // Every installed picture under its own name, or its plain form when the pack asks for it,
    // but the block pictures by the levels' choice; each language's pictures alike, in its folder.
    const fs::path gfx = installed.folder / "gfx";
    std::error_code ec;
    if (!pictures(gfx, "", pack.settings.plainBackgrounds, parts, ec)) {
        error = {"cannot read the game's pictures in " + gfx.string() + ": " + ec.message(),
                 "nie można odczytać obrazków gry w " + gfx.string() + ": " + ec.message(),
                 "не вдається прочитати картинки гри в " + gfx.string() + ": " + ec.message()};
        return false;
    }
    for (int n = 1; n <= kPackLevels; ++n) {
        const Level& level = pack.levels[static_cast<std::size_t>(n - 1)].level;
        int sheet = level.blockSheet;
        if (sheet == 0)
            for (const Scenery& s : installed.scenery)
                if (s.background == level.background) sheet = s.blockSheet;
        if (sheet == 0) sheet = n;
        parts.pictures.emplace_back("klocki" + std::to_string(n) + ".bmp", gfx / ("klocki" + std::to_string(sheet) + ".bmp"));
    }
    std::sort(parts.pictures.begin(), parts.pictures.end());
    parts.music = installed.folder / "music";
    return true;
}

// Writes the parts into the new, empty folder `at`.
bool write(const Parts& parts, const fs::path& at, Text& error) {
    std::error_code ec;
    fs::create_directory(at / "level", ec);
    if (!ec) fs::create_directory(at / "gfx", ec);
    for (std::size_t i = 0; !ec && i < parts.levels.size(); ++i) {
        const fs::path file = at / "level" / levelFile(static_cast<int>(i) + 1);
        if (!writeFile(file.string(), parts.levels[i])) ec = std::error_code(errno, std::generic_category());
    }
    for (const auto& [name, target] : parts.pictures) {
        if (!ec) fs::create_directories((at / "gfx" / name).parent_path(), ec);
        if (!ec) fs::create_symlink(target, at / "gfx" / name, ec);
    }
    if (!ec) fs::create_symlink(parts.music, at / "music", ec);
    if (ec) error = failed({"write", "zapisać", "записати"}, at, ec.message());
    return !ec;
}

bool sameBytes(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(file, ec))) return false;
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> have((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return std::equal(have.begin(), have.end(), bytes.begin(), bytes.end(),
                      [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

bool linksTo(const fs::path& link, const fs::path& target) {
    std::error_code ec;
    return fs::is_symlink(fs::symlink_status(link, ec)) && fs::read_symlink(link, ec) == target && !ec;
}

// The folder holds the parts as they are wanted already.
bool same(const Parts& parts, const fs::path& folder) {
    for (std::size_t i = 0; i < parts.levels.size(); ++i)
        if (!sameBytes(folder / "level" / levelFile(static_cast<int>(i) + 1), parts.levels[i])) return false;
    std::error_code ec;
    std::size_t pictures = 0;
    for (fs::recursive_directory_iterator it(folder / "gfx", ec), end; !ec && it != end; it.increment(ec))
        pictures += it->is_symlink(ec) ? 1 : 0;
    if (ec || pictures != parts.pictures.size()) return false;
    for (const auto& [name, target] : parts.pictures)
        if (!linksTo(folder / "gfx" / name, target)) return false;
    return linksTo(folder / "music", parts.music);
}

bool allOf(const fs::path& folder, bool (*fits)(const fs::directory_entry&)) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (!fits(entry)) return false;
    return !ec;
}

// What a build makes, and what a game played in the folder keeps there; anything else in a game
// folder is someone else's.
bool ours(const fs::directory_entry& entry) {
    const std::string name = entry.path().filename().string();
    std::error_code ec;
    const fs::file_status st = entry.symlink_status(ec);
    if (name == "level")
        return fs::is_directory(st) && allOf(entry.path(), [](const fs::directory_entry& e) {
                   const std::string file = e.path().filename().string();
                   std::error_code err;
                   return fs::is_regular_file(e.symlink_status(err)) && file.size() == 10 && file.starts_with("level") &&
                          file[5] >= '1' && file[5] <= '0' + kPackLevels && file.ends_with(".lvl");
               });
    if (name == "gfx")  // links, and folders of links (each language's pictures)
        return fs::is_directory(st) && allOf(entry.path(), [](const fs::directory_entry& e) {
                   std::error_code err;
                   const auto link = [](const fs::directory_entry& f) {
                       std::error_code fail;
                       return fs::is_symlink(f.symlink_status(fail));
                   };
                   return link(e) || (fs::is_directory(e.symlink_status(err)) && allOf(e.path(), link));
               });
    if (name == "music") return fs::is_symlink(st);
    if (name == "debug.txt" || name.starts_with("hiscore.tbl")) return fs::is_regular_file(st);
    if (name.starts_with(kBuildPrefix)) return fs::is_directory(st) && allOf(entry.path(), ours);  // an interrupted build's
    return false;
}

// A new folder beside `path`'s parts, named `prefix` and six random letters, for the parts to be
// built in; made as a folder of the user's would be.
bool freshFolder(const fs::path& in, const std::string& prefix, fs::path& made, Text& error) {
    std::string pattern = (in / (prefix + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        error = failed({"make a folder in", "utworzyć folderu w", "створити теку в"}, in, std::generic_category().message(errno));
        return false;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(pattern.c_str(), 0777 & ~mask);
    made = pattern;
    return true;
}

// Exchanges the two names in one step, where the C library can (a browser's cannot: ENOSYS).
int exchangeNames([[maybe_unused]] const fs::path& a, [[maybe_unused]] const fs::path& b) {
#ifdef RENAME_EXCHANGE
    return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE);
#else
    errno = ENOSYS;
    return -1;
#endif
}

// Puts `from` in the place of `to`; what was there goes to `from`. Exchanged in one step where
// the file system can; elsewhere (some network shares) the old part steps aside first.
bool swapIn(const fs::path& from, const fs::path& to) {
    if (exchangeNames(from, to) == 0) return true;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(to, ec))) return ::rename(from.c_str(), to.c_str()) == 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    fs::path aside = from;
    aside += ".old";
    if (::rename(to.c_str(), aside.c_str()) != 0) return false;
    if (::rename(from.c_str(), to.c_str()) != 0) {
        ::rename(aside.c_str(), to.c_str());
        return false;
    }
    return ::rename(aside.c_str(), from.c_str()) == 0;
}

// A missing game folder: built beside it and moved into place whole.
bool buildBeside(const Parts& parts, const fs::path& folder, Text& error) {
    const fs::path parent = folder.parent_path();
    std::error_code ec;
    if (!fs::is_directory(parent, ec)) {
        error = {"there is no folder " + parent.string() + " to build " + folder.filename().string() + " in",
                 "nie ma folderu " + parent.string() + ", w którym miał powstać " + folder.filename().string(),
                 "немає теки " + parent.string() + ", у якій мала з'явитися " + folder.filename().string()};
        return false;
    }
    fs::path built;
    if (!freshFolder(parent, "." + folder.filename().string() + kBuildPrefix, built, error)) return false;
    bool done = write(parts, built, error);
    if (done && ::rename(built.c_str(), folder.c_str()) != 0) {
        error = failed({"move the new folder to", "przenieść nowego folderu do", "перемістити нову теку до"}, folder,
                       std::generic_category().message(errno));
        done = false;
    }
    if (!done) fs::remove_all(built, ec);
    return done;
}

// Holds the folder for one build: builds of one folder wait for each other.
class BuildLock {
public:
    explicit BuildLock(const fs::path& folder) : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)) {
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~BuildLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    BuildLock(const BuildLock&) = delete;
    BuildLock& operator=(const BuildLock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_;
};

// Names what the folder holds that is not a build's, or says nothing when all of it is.
bool refuseForeign(const fs::path& folder, Text& error) {
    std::vector<std::string> foreign;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (!ours(entry)) foreign.push_back(entry.path().filename().string());
    if (ec) {
        error = failed({"read", "odczytać", "прочитати"}, folder, ec.message());
        return true;
    }
    if (foreign.empty()) return false;
    std::sort(foreign.begin(), foreign.end());
    std::string names;
    for (std::size_t i = 0; i < foreign.size() && i < 3; ++i) names += (i > 0 ? ", " : "") + foreign[i];
    const std::string more = foreign.size() > 3 ? " (+" + std::to_string(foreign.size() - 3) + ")" : "";
    error = {folder.string() + " holds " + names + more +
                 ", which a build does not make; nothing was changed: build into a new or empty folder",
             folder.string() + " zawiera " + names + more +
                 ", czego budowanie nie tworzy; nic nie zmieniono: zbuduj pakiet w nowym albo pustym folderze",
             folder.string() + " містить " + names + more +
                 ", чого збирання не створює; нічого не змінено: збирайте пакет у новій або порожній теці"};
    return true;
}

}  // namespace

bool buildGameFolder(const Pack& pack, const Installed& installed, const fs::path& target, Text& error) {
    fs::path folder = fs::absolute(target).lexically_normal();
    if (folder.filename().empty()) folder = folder.parent_path();  // "out/" is "out", a link too
    Parts parts;
    if (!wanted(pack, installed, parts, error)) return false;
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(folder, ec);
    if (fs::is_symlink(st)) {
        error = {folder.string() + " is a link; nothing was changed: name the folder itself",
                 folder.string() + " to dowiązanie; nic nie zmieniono: podaj sam folder",
                 folder.string() + " — це посилання; нічого не змінено: вкажіть саму теку"};
        return false;
    }
    if (!fs::exists(st)) return buildBeside(parts, folder, error);
    if (!fs::is_directory(st)) {
        error = {folder.string() + " is no folder; nothing was changed",
                 folder.string() + " nie jest folderem; nic nie zmieniono", folder.string() + " — не тека; нічого не змінено"};
        return false;
    }
    const BuildLock lock(folder);
    if (!lock.held()) {
        error = failed({"open", "otworzyć", "відкрити"}, folder, std::generic_category().message(errno));
        return false;
    }
    if (refuseForeign(folder, error)) return false;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().filename().string().starts_with(kBuildPrefix)) fs::remove_all(entry.path(), ec);
    if (same(parts, folder)) return true;

    fs::path built;
    if (!freshFolder(folder, kBuildPrefix, built, error)) return false;
    bool done = write(parts, built, error);
    std::size_t swapped = 0;
    for (; done && swapped < std::size(kParts); ++swapped) {
        if (!swapIn(built / kParts[swapped], folder / kParts[swapped])) {
            error = failed({"put in place", "umieścić na miejscu", "поставити на місце"}, folder / kParts[swapped],
                           std::generic_category().message(errno));
            done = false;
            break;
        }
    }
    // On a failure the parts swapped so far go back; then the folder built beside goes, with the
    // parts that were in place before.
    while (!done && swapped > 0) {
        --swapped;
        const fs::path mine = built / kParts[swapped];
        if (fs::exists(fs::symlink_status(mine, ec))) swapIn(mine, folder / kParts[swapped]);
        else ::rename((folder / kParts[swapped]).c_str(), mine.c_str());  // it was not there before
    }
    fs::remove_all(built, ec);
    return done;
}

}  // namespace lvl
