#include "shell/options.h"

#include "lessons/pack.h"
#include "lessons/pack_check.h"
#include "platform/cp1250.h"
#include "platform/platform.h"
#include "shell/lesson_packs.h"
#include "shell/lesson_shelf.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

lvl::Language language = lvl::Language::English;

void say(std::FILE* to, const lvl::Text& text) { std::fprintf(to, "%s\n", text.in(language).c_str()); }

const lvl::Text kHelp = {
    "Usage: kalkulon [--pack PACK] [--class FOLDER] | --list-packs | --help\n"
    "\n"
    "  (nothing)          the game with its own seven levels\n"
    "  --pack PACK        play a lesson pack instead: a folder with level1.txt to level7.txt, or\n"
    "                     the name of an installed pack; it keeps its own high-score table\n"
    "  --class FOLDER     keep the records of what the child practised in the class folder\n"
    "                     (also $KALKULON_CLASS, or the file ~/.config/kalkulon/class-folder);\n"
    "                     without one they stay in ~/.local/share/kalkulon/records\n"
    "  --list-packs       the installed packs (in ~/.local/share/kalkulon/packs and beside the\n"
    "                     game's data)\n"
    "\n"
    "Packs are written and checked, and the class's report made, with kalkulon-levels\n"
    "(kalkulon-levels help).\n"
    "Example: kalkulon --pack tabliczka-2-5-10\n",
    "Użycie: kalkulon [--pack PAKIET] [--class FOLDER] | --list-packs | --help\n"
    "\n"
    "  (nic)              gra z jej siedmioma poziomami\n"
    "  --pack PAKIET      gra w pakiet lekcji: folder z plikami level1.txt do level7.txt albo\n"
    "                     nazwa zainstalowanego pakietu; pakiet ma własną tabelę wyników\n"
    "  --class FOLDER     dziennik tego, co dziecko ćwiczyło, trafia do folderu klasy (także\n"
    "                     $KALKULON_CLASS albo plik ~/.config/kalkulon/class-folder); bez niego\n"
    "                     zostaje w ~/.local/share/kalkulon/records\n"
    "  --list-packs       zainstalowane pakiety (w ~/.local/share/kalkulon/packs i obok danych\n"
    "                     gry)\n"
    "\n"
    "Pakiety pisze się i sprawdza, a raport dla klasy robi, programem kalkulon-levels\n"
    "(kalkulon-levels help).\n"
    "Przykład: kalkulon --pack tabliczka-2-5-10\n"};

// Where the player started the game: the launcher says so, as it starts the game in the
// player's data folder.
int listPacks(const lvl::Installed& installed) {
    const std::vector<lvl::PackStatus> packs = lvl::packStatuses(installed);
    if (packs.empty()) say(stdout, {"No packs are installed.", "Nie ma zainstalowanych pakietów."});
    for (const lvl::PackStatus& p : packs) {
        std::printf("%-24s %s\n", p.entry.name.c_str(), p.entry.title.c_str());
        if (!p.broken) continue;
        const std::string more = std::to_string(p.problems.size() - 1);
        say(stdout, {"  BROKEN, cannot be played: " + p.problems[0].format(language) +
                         (p.problems.size() > 1 ? " (and " + more + " more)" : ""),
                     "  USZKODZONY, nie da się grać: " + p.problems[0].format(language) +
                         (p.problems.size() > 1 ? " (i jeszcze " + more + ")" : "")});
    }
    return 0;
}

// A pack that cannot be played, said on standard error and in the game's message window (a
// pack is often started from a desktop shortcut, where standard error goes nowhere).
int refuse(const std::vector<lvl::Problem>& problems, const lvl::Text& why) {
    constexpr std::size_t kShown = 8;
    lvl::report(stderr, problems, language);
    say(stderr, why);
    std::string text;
    for (std::size_t i = 0; i < problems.size() && i < kShown; ++i) text += problems[i].format(language) + "\n";
    if (problems.size() > kShown) text += "...\n";
    text += why.in(language);
    static constexpr auto kCaption = plat::cp1250("Kalkulon");
    plat::messageBox(plat::fromUtf8(text).c_str(), kCaption);
    return 2;
}

// Reads, proves and compiles the pack into its game folder, and enters that folder.
int enterPack(const std::string& argument, const lvl::Installed& installed, const fs::path& started, StartOptions& start) {
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    lvl::PackChoice choice;
    lvl::Text error;
    if (!lvl::resolvePack(argument, started, lvl::packRoots(installed), choice, error)) return refuse({}, error);
    PackGame game;
    const bool ready = preparePack(choice, installed, here, game);
    lvl::report(stderr, game.pack.remarks, language);
    if (!ready) return refuse(game.problems, game.why);
    if (::chdir(game.folder.c_str()) != 0)
        return refuse({},
                      {"cannot enter the folder " + game.folder.string(), "nie można wejść do folderu " + game.folder.string()});
    start.showFrameRate = game.pack.settings.showFrameRate;
    start.lessonTitle = plat::fromUtf8(game.pack.title);
    start.packTitle = game.pack.title;
    return -1;
}

}  // namespace

int handleOptions(int argc, char** argv, const DataFolder& dataFolder, StartOptions& start) {
    if (argc <= 1) {
        if (dataFolder.found) start.lessons = installedLessons(fs::current_path());
        return -1;
    }
    language = lvl::languageFromEnvironment();
    std::string pack;
    bool list = false;
    bool wrong = false;
    for (int i = 1; i < argc && !wrong; ++i) {
        const std::string option = argv[i];
        const bool valued = i + 1 < argc && argv[i + 1][0] != '\0';
        if (option == "--help" || option == "-h") {
            std::printf("%s", kHelp.in(language).c_str());
            return 0;
        }
        if (option == "--list-packs") list = true;
        else if (option == "--pack" && valued && pack.empty()) pack = argv[++i];
        else if (option == "--class" && valued && start.classFolder.empty())
            start.classFolder = (dataFolder.started / argv[++i]).lexically_normal();
        else wrong = true;
    }
    if (wrong || (list && argc != 2)) {
        std::fprintf(stderr, "%s", kHelp.in(language).c_str());
        return 2;
    }
    if (!list && pack.empty()) {  // --class alone: the lessons are offered as without it
        if (dataFolder.found) start.lessons = installedLessons(fs::current_path());
        return -1;
    }
    lvl::Installed installed;
    lvl::Text error;
    if (!lvl::findInstalled(".", installed, error)) {
        if (dataFolder.found) say(stderr, error);
        else std::fprintf(stderr, "%s\n", dataFolder.notFound.c_str());
        return 2;
    }
    return list ? listPacks(installed) : enterPack(pack, installed, dataFolder.started, start);
}
