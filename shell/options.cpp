#include "shell/options.h"

#include "lessons/game_folder.h"
#include "lessons/pack.h"
#include "lessons/proof.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Run folders of packs, in the player's data folder: one per pack, kept between games for the
// pack's high-score table, which every game of the pack shares. Versions before kept them in
// the folder the game started in, under another name.
constexpr const char* kRunFolders = "pack-games";

lvl::Language language = lvl::Language::English;

void say(std::FILE* to, const lvl::Text& text) { std::fprintf(to, "%s\n", text.in(language).c_str()); }

const lvl::Text kHelp = {
    "Usage: kalkulon [--pack PACK | --list-packs | --help]\n"
    "\n"
    "  (nothing)          the game with its own seven levels\n"
    "  --pack PACK        play a lesson pack instead: a folder with level1.txt to level7.txt, or\n"
    "                     the name of an installed pack; it keeps its own high-score table\n"
    "  --list-packs       the installed packs (in ~/.local/share/kalkulon/packs and beside the\n"
    "                     game's data)\n"
    "\n"
    "Packs are written and checked with kalkulon-levels (kalkulon-levels help).\n"
    "Example: kalkulon --pack tabliczka-2-5-10\n",
    "Użycie: kalkulon [--pack PAKIET | --list-packs | --help]\n"
    "\n"
    "  (nic)              gra z jej siedmioma poziomami\n"
    "  --pack PAKIET      gra w pakiet lekcji: folder z plikami level1.txt do level7.txt albo\n"
    "                     nazwa zainstalowanego pakietu; pakiet ma własną tabelę wyników\n"
    "  --list-packs       zainstalowane pakiety (w ~/.local/share/kalkulon/packs i obok danych\n"
    "                     gry)\n"
    "\n"
    "Pakiety pisze się i sprawdza programem kalkulon-levels (kalkulon-levels help).\n"
    "Przykład: kalkulon --pack tabliczka-2-5-10\n"};

int listPacks(const lvl::Installed& installed) {
    const std::vector<lvl::PackEntry> packs = lvl::listPacks(lvl::packRoots(installed));
    if (packs.empty()) say(stdout, {"No packs are installed.", "Nie ma zainstalowanych pakietów."});
    for (const lvl::PackEntry& p : packs) std::printf("%-24s %s\n", p.name.c_str(), p.title.c_str());
    return 0;
}

// Reads, proves and compiles the pack into its run folder, and enters that folder.
int enterPack(const std::string& argument, const lvl::Installed& installed, const fs::path& started) {
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    lvl::PackChoice choice;
    lvl::Text error;
    if (!lvl::resolvePack(argument, started, lvl::packRoots(installed), choice, error)) {
        say(stderr, error);
        return 2;
    }
    lvl::Pack pack;
    std::vector<lvl::Problem> problems;
    if (!lvl::readPack(choice.folder, installed.scenery, pack, problems)) {
        lvl::report(stderr, problems, language);
        say(stderr,
            {"The pack cannot be played until these are mended.", "Pakietu nie da się grać, dopóki tego się nie poprawi."});
        return 2;
    }
    const fs::path data = lvl::userDataFolder();
    if (data.empty()) {
        say(stderr,
            {"a pack keeps its table in your data folder, and there is none: HOME is not set or no folder",
             "pakiet trzyma tabelę wyników w folderze danych, a go nie ma: HOME nie jest ustawione albo nie jest folderem"});
        return 2;
    }
    const fs::path run = data / kRunFolders / choice.key;
    fs::create_directories(run, ec);
    if (ec || ::chdir(run.c_str()) != 0) {
        say(stderr, {"cannot make the folder " + run.string(), "nie można utworzyć folderu " + run.string()});
        return 2;
    }
    if (const fs::path former = here / kRunFolders / choice.formerKey / "hiscore.tbl"; fs::is_regular_file(former, ec))
        fs::copy_file(former, "hiscore.tbl", ec);  // never over a table there already
    for (std::size_t i = 0; i < pack.levels.size(); ++i) solver::proveLevel(pack.levels[i], pack.files[i], problems);
    if (!problems.empty()) {
        lvl::report(stderr, problems, language);
        say(stderr, {"The pack cannot be played: a level that cannot be won or has a trap is no lesson.",
                     "Pakietu nie da się grać: poziom bez wygranej albo z pułapką to nie lekcja."});
        return 2;
    }
    if (!lvl::buildGameFolder(pack, installed, run, error)) {
        say(stderr, error);
        return 2;
    }
    return -1;
}

}  // namespace

int handleOptions(int argc, char** argv, const DataFolder& dataFolder) {
    if (argc <= 1) return -1;
    language = lvl::languageFromEnvironment();
    const std::string option = argv[1];
    if (option == "--help" || option == "-h") {
        std::printf("%s", kHelp.in(language).c_str());
        return 0;
    }
    const bool pack = option == "--pack" && argc == 3;
    if (!pack && !(option == "--list-packs" && argc == 2)) {
        std::fprintf(stderr, "%s", kHelp.in(language).c_str());
        return 2;
    }
    lvl::Installed installed;
    lvl::Text error;
    if (!lvl::findInstalled(".", installed, error)) {
        if (dataFolder.found) say(stderr, error);
        else std::fprintf(stderr, "%s\n", dataFolder.notFound.c_str());
        return 2;
    }
    return pack ? enterPack(argv[2], installed, dataFolder.started) : listPacks(installed);
}
