// kalkulon (installed): starts the game in the player's own data folder, where "hiscore.tbl"
// and "debug.txt" live; the read-only pictures, levels and music are reached there through
// links to the installed folders, under the names the game opens. A game started from the
// desktop's menu has no terminal, so what stops it is shown in the game's message window as
// well as on standard error.
#include "lessons/language.h"
#include "platform/cp1250.h"
#include "platform/platform.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

int stop(const lvl::Text& why) {
    const lvl::Language language = lvl::languageFromEnvironment();
    const std::string text = why.in(language);
    std::fprintf(stderr, "kalkulon: %s\n", text.c_str());
    std::string shown = language == lvl::Language::Ukrainian ? text : plat::fromUtf8(text);
    shown[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(shown[0])));           // a sentence of its own
    if (language == lvl::Language::Ukrainian) plat::messageBoxUtf8(shown.c_str(), "Kalkulon");  // Cyrillic: no Windows-1250
    else plat::messageBox(shown.c_str(), "Kalkulon");
    return 1;
}

// The player's data folder by the XDG rules: $XDG_DATA_HOME/kalkulon when it is an absolute
// path (a relative one is ignored), else ~/.local/share/kalkulon. The home folder itself is
// never made.
bool dataFolder(fs::path& data, lvl::Text& why) {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        data = fs::path(xdg) / "kalkulon";
        return true;
    }
    const char* home = std::getenv("HOME");
    std::error_code ec;
    if (home == nullptr || home[0] != '/' || !fs::is_directory(home, ec)) {
        const std::string shown = home == nullptr ? "" : home;
        why = {"there is no home folder to keep the scores in (HOME is \"" + shown + "\"); the game does not start",
               "nie ma folderu domowego na wyniki (HOME to \"" + shown + "\"); gra się nie uruchamia",
               "немає домашньої теки для рекордів (HOME — \"" + shown + "\"); гра не запускається"};
        return false;
    }
    data = fs::path(home) / ".local" / "share" / "kalkulon";
    return true;
}

}  // namespace

int main(int, char** argv) {
    std::error_code ec;
    const fs::path prefix = fs::read_symlink("/proc/self/exe", ec).parent_path().parent_path();
    const fs::path share = prefix / "share" / "kalkulon";
    const std::string game = (prefix / "lib" / "kalkulon" / "kalkulon").string();
    fs::path data;
    lvl::Text why;
    if (!dataFolder(data, why)) return stop(why);
    fs::create_directories(data, ec);
    if (ec)
        return stop({"cannot make the folder " + data.string() + ": " + ec.message(),
                     "nie można utworzyć folderu " + data.string() + ": " + ec.message(),
                     "не вдається створити теку " + data.string() + ": " + ec.message()});
    for (const char* part : {"gfx", "level", "music"}) {
        // A link (ours, perhaps to an older install) is renewed; a real folder the player put
        // there is left alone.
        const fs::path at = data / part;
        const fs::file_status st = fs::symlink_status(at, ec);
        if (fs::exists(st) && !fs::is_symlink(st)) continue;
        const fs::path fresh = data / (std::string(".") + part + ".new");
        fs::remove(fresh, ec);
        fs::create_directory_symlink(share / part, fresh, ec);
        if (!ec) fs::rename(fresh, at, ec);
        if (ec)
            return stop({"cannot make the link " + at.string() + ": " + ec.message(),
                         "nie można utworzyć dowiązania " + at.string() + ": " + ec.message(),
                         "не вдається створити посилання " + at.string() + ": " + ec.message()});
    }
    // A pack named by its folder is found from where the player started the game.
    const fs::path start = fs::current_path(ec);
    if (!ec) ::setenv("KALKULON_START_DIR", start.c_str(), 1);
    if (::chdir(data.c_str()) != 0)
        return stop({"cannot enter " + data.string() + ": " + std::strerror(errno),
                     "nie można wejść do " + data.string() + ": " + std::strerror(errno),
                     "не вдається увійти до " + data.string() + ": " + std::strerror(errno)});
    argv[0] = const_cast<char*>(game.c_str());
    ::execv(game.c_str(), argv);
    return stop({"cannot start " + game + ": " + std::strerror(errno),
                 "nie można uruchomić " + game + ": " + std::strerror(errno),
                 "не вдається запустити " + game + ": " + std::strerror(errno)});
}
