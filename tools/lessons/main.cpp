// kalkulon-levels: the lesson tool for teachers. Checks level sources and packs (every mistake
// as file:line, then the proof that each level can be won and has no trap), builds packs into
// game folders, and writes practice packs for a family of facts. Polish, English or Ukrainian,
// chosen by the locale as the game chooses.
#include "lessons/game_folder.h"
#include "lessons/pack.h"
#include "lessons/practice.h"
#include "lessons/proof.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

lvl::Language language = lvl::Language::Polish;

void say(std::FILE* to, const lvl::Text& text) { std::fprintf(to, "%s\n", text.in(language).c_str()); }

const lvl::Text kHelp = {
    R"(Usage: kalkulon-levels COMMAND ...

Make your own lessons for Kalkulon: levels in a text file, seven of them in a folder make a
pack, and every level is proven fair before a child plays it.

Commands:
  check FILE-OR-PACK...      Read level sources (a file) or packs (a folder with level1.txt
                             to level7.txt and perhaps pack.txt). Every mistake is shown as
                             file:line. Then each level is proven: every token can be reached,
                             there is no trap (a place from which the hero can no longer reach
                             every token, such as a ledge too high to climb back or a pit), and
                             some route makes the board's number. A winning sum and its route
                             length are shown. Exit code 0 only when every level passes.
  build PACK --out DIR       Check the pack, then make DIR a game folder for it: the seven
                             level files the game reads, and links to the game's pictures and
                             music. Nothing is written when a level fails the check. DIR is
                             new, or an earlier build (with the table of games played there);
                             a folder holding anything else, or a link, is refused.
  practice --facts SPEC --seed N --out DIR
                             Write a practice pack of seven levels for a family of facts,
                             each level proven as by check, a little harder each time.
                             SPEC is one family or several joined by commas:
                               add10   sums within 10        add20   sums within 20
                               sub20   differences within 20
                               2 ... 10  a times table ("2,5,10" mixes three of them)
                               div     division facts        order   order of operations
                             Another seed gives other numbers.
  help                       This text.

Options:
  --data DIR    The game's data folder (with gfx/, level/, music/); found by itself when
                the game is installed.

Examples:
  kalkulon-levels check my-level.txt
  kalkulon-levels check ~/lessons/razy-3
  kalkulon-levels practice --facts 2,5,10 --seed 7 --out ~/.local/share/kalkulon/packs/razy
  kalkulon --pack razy
)",
    R"(Użycie: kalkulon-levels POLECENIE ...

Własne lekcje do Kalkulona: poziom to plik tekstowy, siedem poziomów w folderze to pakiet,
a każdy poziom zostaje sprawdzony, zanim zagra w niego dziecko.

Polecenia:
  check PLIK-LUB-PAKIET...   Czyta opisy poziomów (plik) albo pakiety (folder z plikami
                             level1.txt do level7.txt i ewentualnie pack.txt). Każdy błąd
                             jest pokazany jako plik:wiersz. Potem każdy poziom jest
                             sprawdzany: każdy żeton da się dosięgnąć, nie ma pułapki (miejsca,
                             z którego bohater nie dosięgnie już wszystkich żetonów, jak za
                             wysoka półka albo dół), i jakaś droga daje liczbę z tablicy.
                             Pokazuje zwycięskie działanie i długość drogi. Kod wyjścia 0
                             tylko wtedy, gdy wszystkie poziomy są dobre.
  build PAKIET --out FOLDER  Sprawdza pakiet, a potem robi z FOLDERU folder gry: siedem plików
                             poziomów i dowiązania do obrazków i muzyki gry. Nic nie zapisuje,
                             gdy któryś poziom nie przejdzie sprawdzenia. FOLDER jest nowy albo
                             zbudowany wcześniej (z tabelą wyników gier w nim); folder z czymś
                             innym albo dowiązanie zostaje odrzucone.
  practice --facts RODZAJ --seed N --out FOLDER
                             Zapisuje pakiet ćwiczeń z siedmiu poziomów dla rodziny działań;
                             każdy poziom sprawdzony jak przez check, każdy trochę trudniejszy.
                             RODZAJ to jedna rodzina albo kilka po przecinku:
                               add10   dodawanie do 10   add20   dodawanie do 20
                               sub20   odejmowanie do 20
                               2 ... 10  tabliczka mnożenia ("2,5,10" łączy trzy)
                               div     dzielenie         order   kolejność działań
                             Inne ziarno (seed) daje inne liczby.
  help                       Ten tekst.

Opcje:
  --data FOLDER  Folder danych gry (z gfx/, level/, music/); zainstalowana gra znajduje go sama.

Przykłady:
  kalkulon-levels check moj-poziom.txt
  kalkulon-levels check ~/lekcje/razy-3
  kalkulon-levels practice --facts 2,5,10 --seed 7 --out ~/.local/share/kalkulon/packs/razy
  kalkulon --pack razy
)",
    R"(Використання: kalkulon-levels КОМАНДА ...

Власні уроки для Калькулона: рівень — це текстовий файл, сім рівнів у теці — це пакет, і
кожен рівень перевіряється, перш ніж у нього гратиме дитина.

Команди:
  check ФАЙЛ-АБО-ПАКЕТ...    Читає описи рівнів (файл) або пакети (тека з level1.txt до
                             level7.txt і, можливо, pack.txt). Кожну помилку показано як
                             файл:рядок. Потім кожен рівень перевіряється: до кожного жетона
                             можна дістатися, немає пастки (місця, звідки герой уже не
                             дістанеться до всіх жетонів, як-от надто високий уступ або яма),
                             і якийсь шлях дає число з таблички. Показує виграшний приклад і
                             довжину шляху. Код виходу 0 лише тоді, коли всі рівні добрі.
  build ПАКЕТ --out ТЕКА     Перевіряє пакет, а потім робить із ТЕКИ теку гри: сім файлів
                             рівнів і посилання на картинки й музику гри. Нічого не пише,
                             якщо якийсь рівень не пройшов перевірки.
  practice --facts ВИД --seed N --out ТЕКА
                             Пише пакет вправ із семи рівнів для родини прикладів; кожен
                             рівень перевірено, як у check, і кожен трохи важчий.
                             ВИД — одна родина або кілька через кому:
                               add10   додавання до 10   add20   додавання до 20
                               sub20   віднімання до 20
                               2 ... 10  таблиця множення ("2,5,10" поєднує три)
                               div     ділення           order   порядок дій
                             Інше зерно (seed) дає інші числа.
  help                       Цей текст.

Параметри:
  --data ТЕКА   Тека даних гри (з gfx/, level/, music/); встановлена гра знаходить її сама.

Приклади:
  kalkulon-levels check my-level.txt
  kalkulon-levels check ~/lessons/times-3
  kalkulon-levels practice --facts 2,5,10 --seed 7 --out ~/.local/share/kalkulon/packs/times
  kalkulon --language uk --pack times
)"};

// The game's data: --data, $KALKULON_DATA, the installed share folder beside this program, or
// the build's game folder.
fs::path dataFolder(const std::string& given) {
    if (!given.empty()) return given;
    if (const char* env = std::getenv("KALKULON_DATA"); env != nullptr && *env != '\0') return env;
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        fs::path share = self.parent_path().parent_path() / "share" / "kalkulon";
        if (fs::is_directory(share / "gfx", ec)) return share;
    }
    return KALKULON_GAME_DIR;
}

struct Counts {
    int levels = 0;
    int fair = 0;
};

void report(const std::vector<lvl::Problem>& problems) { lvl::report(stdout, problems, language); }

void sayFair(const lvl::LevelSource& source, const std::string& file, const solver::Proof& proof) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", static_cast<double>(proof.steps) / 100.0);
    std::string sekundy = seconds;
    for (char& c : sekundy)
        if (c == '.') c = ',';
    const std::string value = std::to_string(source.level.target);
    say(stdout, {file + ": fair: " + proof.sum + " = " + value + ", a route of " + std::to_string(proof.steps) + " steps (" +
                     seconds + " s); " + std::to_string(proof.places) + " places explored, no trap",
                 file + ": dobry: " + proof.sum + " = " + value + ", droga " + std::to_string(proof.steps) + " kroków (" +
                     sekundy + " s); zbadano " + std::to_string(proof.places) + " miejsc, bez pułapek",
                 file + ": добрий: " + proof.sum + " = " + value + ", шлях " + std::to_string(proof.steps) + " кроків (" +
                     sekundy + " с); перевірено " + std::to_string(proof.places) + " місць, пасток немає"});
}

bool proveAndSay(const lvl::LevelSource& source, const std::string& file, Counts& counts) {
    std::vector<lvl::Problem> problems;
    const solver::Proof proof = solver::proveLevel(source, file, problems);
    report(problems);
    ++counts.levels;
    if (!proof.fair) return false;
    ++counts.fair;
    sayFair(source, file, proof);
    return true;
}

// One level to prove, as read; or one that could not be read.
struct Reading {
    std::string file;
    lvl::LevelSource source;
    bool readWell = false;
};

// Reads a file or a pack, saying every mistake, as the caller named it.
std::vector<Reading> read(const std::string& target, const lvl::Installed& installed) {
    std::vector<Reading> out;
    std::vector<lvl::Problem> problems;
    std::error_code ec;
    if (fs::is_directory(target, ec)) {
        lvl::Pack pack;
        lvl::readPack(target, installed.scenery, pack, problems);
        for (std::size_t i = 0; i < pack.levels.size(); ++i) {
            const bool readWell = std::none_of(problems.begin(), problems.end(),
                                               [&](const lvl::Problem& p) { return p.file == pack.files[i]; });
            out.push_back({pack.files[i], pack.levels[i], readWell});
        }
    } else {
        std::string text;
        lvl::LevelSource source;
        if (lvl::readSourceFile(target, target, text, problems))
            lvl::readLevelText(text, target, &installed.scenery, source, problems);
        out.push_back({target, source, problems.empty()});
    }
    report(problems);
    if (std::any_of(problems.begin(), problems.end(), [](const lvl::Problem& p) { return p.file.ends_with("pack.txt"); }))
        out.push_back({"pack.txt", {}, false});  // counted as a level that fails
    return out;
}

int usage() {
    say(stderr,
        {"Usage: kalkulon-levels check FILE-OR-PACK... | build PACK --out DIR | practice --facts SPEC --seed N --out DIR | help",
         "Użycie: kalkulon-levels check PLIK-LUB-PAKIET... | build PAKIET --out FOLDER | practice --facts RODZAJ --seed N --out "
         "FOLDER | help",
         "Використання: kalkulon-levels check ФАЙЛ-АБО-ПАКЕТ... | build ПАКЕТ --out ТЕКА | practice --facts ВИД --seed N --out "
         "ТЕКА | help"});
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    language = lvl::languageFromEnvironment();
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string data, out, facts, seed;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        if (a == "--data" || a == "--out" || a == "--facts" || a == "--seed") {
            if (!value(a == "--data" ? data : a == "--out" ? out : a == "--facts" ? facts : seed)) {
                say(stderr, {a + " needs a value", a + " wymaga wartości", a + " потребує значення"});
                return 2;
            }
        } else if (a == "--help" || a == "-h" || a == "help") {
            std::printf("%s", kHelp.in(language).c_str());
            return 0;
        } else {
            rest.push_back(a);
        }
    }
    if (rest.empty()) return usage();
    const std::string command = rest[0];
    rest.erase(rest.begin());

    lvl::Installed installed;
    lvl::Text error;
    if (!lvl::findInstalled(dataFolder(data), installed, error)) {
        say(stderr, error);
        return 2;
    }
    const fs::path outFolder = out.empty() ? fs::path() : fs::absolute(out);

    if (command == "check") {
        if (rest.empty()) return usage();
        std::vector<Reading> levels;
        for (const std::string& r : rest) {
            std::vector<Reading> more = read(r, installed);
            levels.insert(levels.end(), more.begin(), more.end());
        }
        Counts counts;
        bool ok = true;
        for (const Reading& r : levels) {
            if (r.readWell) {
                ok &= proveAndSay(r.source, r.file, counts);
            } else {
                ++counts.levels;
                ok = false;
            }
        }
        say(stdout, {std::to_string(counts.fair) + " of " + std::to_string(counts.levels) + " levels fair",
                     "dobre poziomy: " + std::to_string(counts.fair) + " z " + std::to_string(counts.levels),
                     "добрі рівні: " + std::to_string(counts.fair) + " з " + std::to_string(counts.levels)});
        return ok ? 0 : 1;
    }
    if (command == "build") {
        if (rest.size() != 1 || outFolder.empty()) return usage();
        lvl::Pack pack;
        std::vector<lvl::Problem> problems;
        const bool read = lvl::readPack(rest[0], installed.scenery, pack, problems);
        report(problems);
        if (!read) return 1;
        Counts counts;
        bool ok = true;
        for (std::size_t i = 0; i < pack.levels.size(); ++i) ok &= proveAndSay(pack.levels[i], pack.files[i], counts);
        if (!ok) {
            say(stderr, {"nothing built: the pack has levels that fail the check",
                         "nic nie zbudowano: pakiet ma poziomy, które nie przeszły sprawdzenia",
                         "нічого не зроблено: пакет має рівні, що не пройшли перевірки"});
            return 1;
        }
        if (!lvl::buildGameFolder(pack, installed, outFolder, error)) {
            say(stderr, error);
            return 1;
        }
        say(stdout, {outFolder.string() + ": a game folder for \"" + pack.title + "\"",
                     outFolder.string() + ": folder gry dla \"" + pack.title + "\"",
                     outFolder.string() + ": тека гри для \"" + pack.title + "\""});
        return 0;
    }
    if (command == "practice") {
        if (!rest.empty() || facts.empty() || seed.empty() || outFolder.empty()) return usage();
        char* end = nullptr;
        const unsigned long long n = std::strtoull(seed.c_str(), &end, 10);
        if (end == seed.c_str() || *end != '\0') {
            say(stderr, {"--seed takes a whole number, not " + seed, "--seed przyjmuje liczbę całkowitą, nie " + seed,
                         "--seed приймає ціле число, а не " + seed});
            return 2;
        }
        lessons::FactSpec spec;
        if (!lessons::parseFacts(facts, spec, error)) {
            say(stderr, error);
            return 2;
        }
        lessons::PracticePack pack;
        if (!lessons::makePracticePack(spec, n, installed.scenery, pack, error) || !lessons::writePack(pack, outFolder, error)) {
            say(stderr, error);
            return 1;
        }
        for (std::size_t i = 0; i < pack.levels.size(); ++i)
            sayFair(pack.levels[i], (outFolder / ("level" + std::to_string(i + 1) + ".txt")).string(), pack.proofs[i]);
        say(stdout, {outFolder.string() + ": \"" + pack.title + "\", seven levels",
                     outFolder.string() + ": \"" + pack.title + "\", siedem poziomów",
                     outFolder.string() + ": \"" + pack.title + "\", сім рівнів"});
        return 0;
    }
    return usage();
}
