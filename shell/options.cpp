#include "shell/options.h"

#include "lessons/game_folder.h"
#include "lessons/pack.h"
#include "lessons/proof.h"
#include "texts/texts.h"

#include <unistd.h>

#include <algorithm>
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

lvl::Language language = lvl::Language::Polish;

void say(std::FILE* to, const lvl::Text& text) { std::fprintf(to, "%s\n", text.in(language).c_str()); }

const lvl::Text kHelp = {
    "Usage: kalkulon [--language pl|en|uk] [--pack PACK | --list-packs | --help]\n"
    "\n"
    "  (nothing)          the game with its own seven levels\n"
    "  --pack PACK        play a lesson pack instead: a folder with level1.txt to level7.txt, or\n"
    "                     the name of an installed pack; it keeps its own high-score table\n"
    "  --list-packs       the installed packs (in ~/.local/share/kalkulon/packs and beside the\n"
    "                     game's data)\n"
    "  --language CODE    play in Polish (pl), English (en) or Ukrainian (uk); without it the\n"
    "                     teacher's setting (KALKULON_LANGUAGE, ~/.config/kalkulon/language or\n"
    "                     /etc/xdg/kalkulon/language), else the desktop's language (LANGUAGE,\n"
    "                     LC_ALL, LC_MESSAGES, LANG), else Polish\n"
    "\n"
    "Packs are written and checked with kalkulon-levels (kalkulon-levels help).\n"
    "Example: kalkulon --pack tabliczka-2-5-10\n",
    "Użycie: kalkulon [--language pl|en|uk] [--pack PAKIET | --list-packs | --help]\n"
    "\n"
    "  (nic)              gra z jej siedmioma poziomami\n"
    "  --pack PAKIET      gra w pakiet lekcji: folder z plikami level1.txt do level7.txt albo\n"
    "                     nazwa zainstalowanego pakietu; pakiet ma własną tabelę wyników\n"
    "  --list-packs       zainstalowane pakiety (w ~/.local/share/kalkulon/packs i obok danych\n"
    "                     gry)\n"
    "  --language KOD     gra po polsku (pl), po angielsku (en) albo po ukraińsku (uk); bez tego\n"
    "                     w języku ustawionym przez nauczyciela (KALKULON_LANGUAGE,\n"
    "                     ~/.config/kalkulon/language albo /etc/xdg/kalkulon/language), potem\n"
    "                     w języku pulpitu (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), inaczej po polsku\n"
    "\n"
    "Pakiety pisze się i sprawdza programem kalkulon-levels (kalkulon-levels help).\n"
    "Przykład: kalkulon --pack tabliczka-2-5-10\n",
    "Використання: kalkulon [--language pl|en|uk] [--pack ПАКЕТ | --list-packs | --help]\n"
    "\n"
    "  (нічого)           гра з її власними сімома рівнями\n"
    "  --pack ПАКЕТ       грати пакет уроків: тека з файлами level1.txt–level7.txt або назва\n"
    "                     встановленого пакета; пакет має власну таблицю рекордів\n"
    "  --list-packs       встановлені пакети (у ~/.local/share/kalkulon/packs і поруч із даними\n"
    "                     гри)\n"
    "  --language КОД     гра польською (pl), англійською (en) або українською (uk); без цього\n"
    "                     мовою, яку задав учитель (KALKULON_LANGUAGE, ~/.config/kalkulon/language\n"
    "                     або /etc/xdg/kalkulon/language), далі мовою робочого столу (LANGUAGE,\n"
    "                     LC_ALL, LC_MESSAGES, LANG), інакше польською\n"
    "\n"
    "Пакети пишуть і перевіряють програмою kalkulon-levels (kalkulon-levels help).\n"
    "Приклад: kalkulon --pack tabliczka-2-5-10\n"};

// A setting naming a language the game does not speak: where it is, and that the desktop's
// language is used instead. The code is shown as far as it is plain text.
void tellUnknownSetting(const texts::Setting& setting) {
    std::string code;
    for (char c : setting.code.substr(0, 16)) code.push_back(c >= ' ' && c <= '~' ? c : '?');
    std::string known;
    for (std::string_view k : texts::languages()) known.append(known.empty() ? "" : ", ").append(k);
    const std::string head = setting.where + ": \"" + code + "\"";
    say(stderr, {head + ": the game does not speak this language (it speaks " + known + "); the desktop's language is used",
                 head + ": gra nie zna tego języka (zna " + known + "); używa języka pulpitu",
                 head + ": гра не знає цієї мови (знає " + known + "); використано мову робочого столу"});
}

int listPacks(const lvl::Installed& installed) {
    const std::vector<lvl::PackEntry> packs = lvl::listPacks(lvl::packRoots(installed));
    if (packs.empty())
        say(stdout, {"No packs are installed.", "Nie ma zainstalowanych pakietów.", "Немає встановлених пакетів."});
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
        say(stderr, {"The pack cannot be played until these are mended.", "Pakietu nie da się grać, dopóki tego się nie poprawi.",
                     "У пакет не можна грати, доки це не виправлено."});
        return 2;
    }
    const fs::path data = lvl::userDataFolder();
    if (data.empty()) {
        say(stderr,
            {"a pack keeps its table in your data folder, and there is none: HOME is not set or no folder",
             "pakiet trzyma tabelę wyników w folderze danych, a go nie ma: HOME nie jest ustawione albo nie jest folderem",
             "пакет зберігає таблицю рекордів у вашій теці даних, а її немає: HOME не задано або це не тека"});
        return 2;
    }
    const fs::path run = data / kRunFolders / choice.key;
    fs::create_directories(run, ec);
    if (ec || ::chdir(run.c_str()) != 0) {
        say(stderr, {"cannot make the folder " + run.string(), "nie można utworzyć folderu " + run.string(),
                     "не вдається створити теку " + run.string()});
        return 2;
    }
    if (const fs::path former = here / kRunFolders / choice.formerKey / "hiscore.tbl"; fs::is_regular_file(former, ec))
        fs::copy_file(former, "hiscore.tbl", ec);  // never over a table there already
    for (std::size_t i = 0; i < pack.levels.size(); ++i) solver::proveLevel(pack.levels[i], pack.files[i], problems);
    if (!problems.empty()) {
        lvl::report(stderr, problems, language);
        say(stderr, {"The pack cannot be played: a level that cannot be won or has a trap is no lesson.",
                     "Pakietu nie da się grać: poziom bez wygranej albo z pułapką to nie lekcja.",
                     "У пакет не можна грати: рівень без виграшу або з пасткою — не урок."});
        return 2;
    }
    if (!lvl::buildGameFolder(pack, installed, run, error)) {
        say(stderr, error);
        return 2;
    }
    return -1;
}

}  // namespace

int handleOptions(int argc, char** argv, const DataFolder& dataFolder, std::string& chosen) {
    std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    const texts::Setting setting = texts::teachersSetting();
    chosen = texts::defaultLanguage(setting, texts::localeOfEnvironment(), texts::languages());
    bool named = false;
    // --language CODE (or --language=CODE) goes with any other option.
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool joined = args[i].starts_with("--language=");
        if (args[i] != "--language" && !joined) continue;
        const std::string code = joined ? args[i].substr(11) : i + 1 < args.size() ? args[i + 1] : "";
        const std::vector<std::string_view> known = texts::languages();
        if (std::find(known.begin(), known.end(), code) == known.end()) {
            std::string list;
            for (std::string_view k : known) list.append(" ").append(k);
            say(stderr, {"kalkulon: --language needs one of:" + list, "kalkulon: --language wymaga jednego z:" + list,
                         "kalkulon: --language потребує одного з:" + list});
            return 2;
        }
        chosen = code;
        named = true;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(joined ? i + 1 : i + 2));
        break;
    }
    language = lvl::languageCalled(chosen);
    if (!named && !setting.code.empty() && chosen != setting.code) tellUnknownSetting(setting);
    if (args.empty()) return -1;
    const std::string& option = args[0];
    if (option == "--help" || option == "-h") {
        std::printf("%s", kHelp.in(language).c_str());
        return 0;
    }
    const bool pack = option == "--pack" && args.size() == 2;
    if (!pack && !(option == "--list-packs" && args.size() == 1)) {
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
    return pack ? enterPack(args[1], installed, dataFolder.started) : listPacks(installed);
}
