#include "shell/options.h"

#include "lessons/pack.h"
#include "lessons/pack_check.h"
#include "platform/cp1250.h"
#include "platform/platform.h"
#include "shell/lesson_packs.h"
#include "shell/lesson_shelf.h"
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

void say(std::FILE* to, const lvl::Text& text, lvl::Language language) { std::fprintf(to, "%s\n", text.in(language).c_str()); }

const lvl::Text kHelp = {
    "Usage: kalkulon [--language pl|en|uk] [--pack PACK] [--class FOLDER] | --list-packs | --help\n"
    "\n"
    "  (nothing)          the game with its own seven levels\n"
    "  --pack PACK        play a lesson pack instead: a folder with level1.txt to level7.txt, or\n"
    "                     the name of an installed pack; it keeps its own high-score table\n"
    "  --class FOLDER     keep the records of what the child practised in the class folder\n"
    "                     (also $KALKULON_CLASS, or the file ~/.config/kalkulon/class-folder);\n"
    "                     without one they stay in ~/.local/share/kalkulon/records\n"
    "  --list-packs       the installed packs (in ~/.local/share/kalkulon/packs and beside the\n"
    "                     game's data)\n"
    "  --language CODE    play in Polish (pl), English (en) or Ukrainian (uk); without it the\n"
    "                     teacher's setting (KALKULON_LANGUAGE, ~/.config/kalkulon/language or\n"
    "                     /etc/xdg/kalkulon/language), else the desktop's language (LANGUAGE,\n"
    "                     LC_ALL, LC_MESSAGES, LANG), else Polish\n"
    "\n"
    "Packs are written and checked, and the class's report made, with kalkulon-levels\n"
    "(kalkulon-levels help).\n"
    "Example: kalkulon --pack tabliczka-2-5-10\n",
    "Użycie: kalkulon [--language pl|en|uk] [--pack PAKIET] [--class FOLDER] | --list-packs | --help\n"
    "\n"
    "  (nic)              gra z jej siedmioma poziomami\n"
    "  --pack PAKIET      gra w pakiet lekcji: folder z plikami level1.txt do level7.txt albo\n"
    "                     nazwa zainstalowanego pakietu; pakiet ma własną tabelę wyników\n"
    "  --class FOLDER     dziennik tego, co dziecko ćwiczyło, trafia do folderu klasy (także\n"
    "                     $KALKULON_CLASS albo plik ~/.config/kalkulon/class-folder); bez niego\n"
    "                     zostaje w ~/.local/share/kalkulon/records\n"
    "  --list-packs       zainstalowane pakiety (w ~/.local/share/kalkulon/packs i obok danych\n"
    "                     gry)\n"
    "  --language KOD     gra po polsku (pl), po angielsku (en) albo po ukraińsku (uk); bez tego\n"
    "                     w języku ustawionym przez nauczyciela (KALKULON_LANGUAGE,\n"
    "                     ~/.config/kalkulon/language albo /etc/xdg/kalkulon/language), potem\n"
    "                     w języku pulpitu (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), inaczej po polsku\n"
    "\n"
    "Pakiety pisze się i sprawdza, a raport dla klasy robi, programem kalkulon-levels\n"
    "(kalkulon-levels help).\n"
    "Przykład: kalkulon --pack tabliczka-2-5-10\n",
    "Використання: kalkulon [--language pl|en|uk] [--pack ПАКЕТ] [--class ТЕКА] | --list-packs | --help\n"
    "\n"
    "  (нічого)           гра з її власними сімома рівнями\n"
    "  --pack ПАКЕТ       грати пакет уроків: тека з файлами level1.txt–level7.txt або назва\n"
    "                     встановленого пакета; пакет має власну таблицю рекордів\n"
    "  --class ТЕКА       записи про те, що дитина вправляла, зберігаються в теці класу (також\n"
    "                     $KALKULON_CLASS або файл ~/.config/kalkulon/class-folder); без неї\n"
    "                     вони лишаються в ~/.local/share/kalkulon/records\n"
    "  --list-packs       встановлені пакети (у ~/.local/share/kalkulon/packs і поруч із даними\n"
    "                     гри)\n"
    "  --language КОД     гра польською (pl), англійською (en) або українською (uk); без цього\n"
    "                     мовою, яку задав учитель (KALKULON_LANGUAGE, ~/.config/kalkulon/language\n"
    "                     або /etc/xdg/kalkulon/language), далі мовою робочого столу (LANGUAGE,\n"
    "                     LC_ALL, LC_MESSAGES, LANG), інакше польською\n"
    "\n"
    "Пакети пишуть і перевіряють, а звіт для класу роблять програмою kalkulon-levels\n"
    "(kalkulon-levels help).\n"
    "Приклад: kalkulon --pack tabliczka-2-5-10\n"};

// A setting naming a language the game does not speak: where it is, and that the desktop's
// language is used instead. The code is shown as far as it is plain text.
void tellUnknownSetting(const texts::Setting& setting, lvl::Language language) {
    std::string code;
    for (char c : setting.code.substr(0, 16)) code.push_back(c >= ' ' && c <= '~' ? c : '?');
    std::string known;
    for (std::string_view k : texts::languages()) known.append(known.empty() ? "" : ", ").append(k);
    const std::string head = setting.where + ": \"" + code + "\"";
    say(stderr,
        {head + ": the game does not speak this language (it speaks " + known + "); the desktop's language is used",
         head + ": gra nie zna tego języka (zna " + known + "); używa języka pulpitu",
         head + ": гра не знає цієї мови (знає " + known + "); використано мову робочого столу"},
        language);
}

// Where the player started the game: the launcher says so, as it starts the game in the
// player's data folder.
int listPacks(const lvl::Installed& installed, lvl::Language language) {
    const std::vector<lvl::PackStatus> packs = lvl::packStatuses(installed);
    if (packs.empty())
        say(stdout, {"No packs are installed.", "Nie ma zainstalowanych pakietów.", "Немає встановлених пакетів."}, language);
    for (const lvl::PackStatus& p : packs) {
        std::printf("%-24s %s\n", p.entry.name.c_str(), p.entry.title.c_str());
        if (!p.broken) continue;
        const std::string more = std::to_string(p.problems.size() - 1);
        say(stdout,
            {"  BROKEN, cannot be played: " + p.problems[0].format(language) +
                 (p.problems.size() > 1 ? " (and " + more + " more)" : ""),
             "  USZKODZONY, nie da się grać: " + p.problems[0].format(language) +
                 (p.problems.size() > 1 ? " (i jeszcze " + more + ")" : ""),
             "  ПОШКОДЖЕНИЙ, у нього не можна грати: " + p.problems[0].format(language) +
                 (p.problems.size() > 1 ? " (і ще " + more + ")" : "")},
            language);
    }
    return 0;
}

// A pack that cannot be played, said on standard error and in the game's message window (a
// pack is often started from a desktop shortcut, where standard error goes nowhere).
int refuse(const std::vector<lvl::Problem>& problems, const lvl::Text& why, lvl::Language language) {
    constexpr std::size_t kShown = 8;
    lvl::report(stderr, problems, language);
    say(stderr, why, language);
    std::string text;
    for (std::size_t i = 0; i < problems.size() && i < kShown; ++i) text += problems[i].format(language) + "\n";
    if (problems.size() > kShown) text += "...\n";
    text += why.in(language);
    plat::messageBoxUtf8(text.c_str(), "Kalkulon");
    return 2;
}

// Reads, proves and compiles the pack into its game folder, and enters that folder.
int enterPack(const std::string& argument, const lvl::Installed& installed, const fs::path& started, StartOptions& start,
              lvl::Language language) {
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    lvl::PackChoice choice;
    lvl::Text error;
    if (!lvl::resolvePack(argument, started, lvl::packRoots(installed), choice, error)) return refuse({}, error, language);
    PackGame game;
    const bool ready = preparePack(choice, installed, here, game);
    lvl::report(stderr, game.pack.remarks, language);
    if (!ready) return refuse(game.problems, game.why, language);
    if (::chdir(game.folder.c_str()) != 0)
        return refuse({},
                      {"cannot enter the folder " + game.folder.string(), "nie można wejść do folderu " + game.folder.string(),
                       "не вдається увійти до теки " + game.folder.string()},
                      language);
    start.showFrameRate = game.pack.settings.showFrameRate;
    start.packTitle = game.pack.title;
    return -1;
}

}  // namespace

int handleOptions(int argc, char** argv, const DataFolder& dataFolder, StartOptions& start) {
    std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    const texts::Setting setting = texts::teachersSetting();
    start.language = texts::defaultLanguage(setting, texts::localeOfEnvironment(), texts::languages());
    lvl::Language language = lvl::languageCalled(start.language);
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
            say(stderr,
                {"kalkulon: --language needs one of:" + list, "kalkulon: --language wymaga jednego z:" + list,
                 "kalkulon: --language потребує одного з:" + list},
                language);
            return 2;
        }
        start.language = code;
        named = true;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(joined ? i + 1 : i + 2));
        break;
    }
    language = lvl::languageCalled(start.language);
    if (!named && !setting.code.empty() && start.language != setting.code) tellUnknownSetting(setting, language);
    std::string pack;
    bool list = false;
    bool wrong = false;
    for (std::size_t i = 0; i < args.size() && !wrong; ++i) {
        const std::string& option = args[i];
        const bool valued = i + 1 < args.size() && !args[i + 1].empty();
        if (option == "--help" || option == "-h") {
            std::printf("%s", kHelp.in(language).c_str());
            return 0;
        }
        if (option == "--list-packs") list = true;
        else if (option == "--pack" && valued && pack.empty()) pack = args[++i];
        else if (option == "--class" && valued && start.classFolder.empty())
            start.classFolder = (dataFolder.started / args[++i]).lexically_normal();
        else wrong = true;
    }
    if (wrong || (list && args.size() != 1)) {
        std::fprintf(stderr, "%s", kHelp.in(language).c_str());
        return 2;
    }
    if (!list && pack.empty()) {  // no pack: the lessons are offered
        if (dataFolder.found) start.lessons = installedLessons(fs::current_path(), language);
        return -1;
    }
    lvl::Installed installed;
    lvl::Text error;
    if (!lvl::findInstalled(".", installed, error)) {
        if (dataFolder.found) say(stderr, error, language);
        else std::fprintf(stderr, "%s\n", dataFolder.notFound.c_str());
        return 2;
    }
    return list ? listPacks(installed, language) : enterPack(pack, installed, dataFolder.started, start, language);
}
