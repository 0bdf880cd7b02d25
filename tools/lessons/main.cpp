// kalkulon-levels: the lesson tool for teachers. Checks level sources and packs (every mistake
// as file:line, then the proof that each level can be won and has no trap), builds packs into
// game folders, previews packs, writes practice packs for a family of facts, and makes the
// class's report from the records of the games played. Polish, English or Ukrainian, chosen by
// the locale as the game chooses.
#include "help.h"
#include "lessons/answers.h"
#include "lessons/game_folder.h"
#include "lessons/pack.h"
#include "lessons/pack_check.h"
#include "lessons/practice.h"
#include "lessons/proof.h"
#include "preview.h"
#include "report_command.h"

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
    const std::string climb = std::to_string(proof.climb);
    say(stdout,
        {file + ": fair: " + proof.sum + " = " + value + ", a route of " + std::to_string(proof.steps) + " steps (" + seconds +
             " s) climbing " + climb + (proof.climb == 1 ? " cell" : " cells") + "; " + std::to_string(proof.places) +
             " places explored, no trap",
         file + ": dobry: " + proof.sum + " = " + value + ", droga " + std::to_string(proof.steps) + " kroków (" + sekundy +
             " s) w górę o " + climb + " pól; zbadano " + std::to_string(proof.places) + " miejsc, bez pułapek",
         file + ": добрий: " + proof.sum + " = " + value + ", шлях " + std::to_string(proof.steps) + " кроків (" + sekundy +
             " с) угору на " + climb + " кл.; перевірено " + std::to_string(proof.places) + " місць, пасток немає"});
}

// Every answer of the level; more than one is worth a warning, as the level can be won without
// the fact it practises.
void sayAnswers(const lvl::LevelSource& source, const std::string& file) {
    constexpr std::size_t kListed = 12;
    const lessons::Answers answers = lessons::answersOf(source.level);
    std::string list;
    for (std::size_t i = 0; i < answers.sums.size() && i < kListed; ++i) list += (i == 0 ? "" : ", ") + answers.sums[i];
    const std::string value = " = " + std::to_string(source.level.target);
    const std::string count = std::to_string(answers.sums.size());
    const std::string more = answers.sums.size() > kListed ? std::to_string(answers.sums.size() - kListed) : "";
    if (answers.complete && answers.sums.size() == 1) {
        say(stdout, {file + ": one answer: " + list + value, file + ": jedna odpowiedź: " + list + value,
                     file + ": одна відповідь: " + list + value});
        return;
    }
    const lvl::Text counted = answers.complete
                                  ? lvl::Text{count + " answers", "odpowiedzi: " + count, "відповідей: " + count}
                                  : lvl::Text{"at least " + count + " answers (more sums than can be tried)",
                                              "odpowiedzi co najmniej " + count + " (więcej działań, niż da się sprawdzić)",
                                              "відповідей щонайменше " + count + " (прикладів більше, ніж можна перевірити)"};
    say(stdout, {file + ": warning: " + counted.en + ": " + list + (more.empty() ? "" : " and " + more + " more") + value +
                     "; a child can win without practising one fact",
                 file + ": uwaga: " + counted.pl + ": " + list + (more.empty() ? "" : " i " + more + " innych") + value +
                     "; dziecko może wygrać bez ćwiczenia jednego działania",
                 file + ": увага: " + counted.uk + ": " + list + (more.empty() ? "" : " і ще " + more) + value +
                     "; дитина може виграти, не вправляючи одного прикладу"});
}

bool proveAndSay(const lvl::LevelSource& source, const std::string& file, Counts& counts) {
    std::vector<lvl::Problem> problems;
    const solver::Proof proof = solver::proveLevel(source, file, problems);
    report(problems);
    ++counts.levels;
    if (!proof.fair) return false;
    ++counts.fair;
    sayFair(source, file, proof);
    sayAnswers(source, file);
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
        report(pack.remarks);
        for (std::size_t i = 0; i < pack.levels.size(); ++i) {
            const bool readWell = std::none_of(problems.begin(), problems.end(),
                                               [&](const lvl::Problem& p) { return p.file == pack.files[i]; });
            out.push_back({pack.files[i], pack.levels[i], readWell});
        }
    } else {
        std::string text;
        lvl::LevelSource source;
        std::vector<lvl::Problem> remarks;
        if (lvl::readSourceFile(target, target, text, problems, &remarks))
            lvl::readLevelText(text, target, &installed.scenery, source, problems);
        report(remarks);
        out.push_back({target, source, problems.empty()});
    }
    report(problems);
    if (std::any_of(problems.begin(), problems.end(), [](const lvl::Problem& p) { return p.file.ends_with("pack.txt"); }))
        out.push_back({"pack.txt", {}, false});  // counted as a level that fails
    return out;
}

int usage() {
    say(stderr,
        {"Usage: kalkulon-levels check FILE-OR-PACK... | build PACK --out DIR | preview PACK --out DIR | practice --facts SPEC "
         "--seed N --out DIR | report FOLDER --out REPORT.html | help",
         "Użycie: kalkulon-levels check PLIK-LUB-PAKIET... | build PAKIET --out FOLDER | preview PAKIET --out FOLDER | practice "
         "--facts RODZAJ --seed N --out FOLDER | report FOLDER --out RAPORT.html | help",
         "Використання: kalkulon-levels check ФАЙЛ-АБО-ПАКЕТ... | build ПАКЕТ --out ТЕКА | preview ПАКЕТ --out ТЕКА | practice "
         "--facts ВИД --seed N --out ТЕКА | report ТЕКА --out ЗВІТ.html | help"});
    return 2;
}

// What the command line asked for, the command's own words in `rest`.
struct Request {
    std::vector<std::string> rest;
    fs::path out;  // absolute, read before the proofs move into their scratch folder
    std::string facts, seed;
    lvl::Installed installed;
};

int check(const Request& r) {
    if (r.rest.empty()) return usage();
    std::vector<Reading> levels;
    for (const std::string& target : r.rest) {
        std::vector<Reading> more = read(target, r.installed);
        levels.insert(levels.end(), more.begin(), more.end());
    }
    Counts counts;
    bool ok = true;
    for (const Reading& level : levels) {
        if (level.readWell) {
            ok &= proveAndSay(level.source, level.file, counts);
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

// The pack named on the command line, its remarks and mistakes said; false when it has mistakes.
bool readOnePack(const Request& r, lvl::Pack& pack) {
    std::vector<lvl::Problem> problems;
    const bool read = lvl::readPack(r.rest[0], r.installed.scenery, pack, problems);
    report(pack.remarks);
    report(problems);
    return read;
}

int build(const Request& r) {
    if (r.rest.size() != 1 || r.out.empty()) return usage();
    lvl::Pack pack;
    if (!readOnePack(r, pack)) return 1;
    Counts counts;
    bool ok = true;
    for (std::size_t i = 0; i < pack.levels.size(); ++i) ok &= proveAndSay(pack.levels[i], pack.files[i], counts);
    if (!ok) {
        say(stderr, {"nothing built: the pack has levels that fail the check",
                     "nic nie zbudowano: pakiet ma poziomy, które nie przeszły sprawdzenia",
                     "нічого не зроблено: пакет має рівні, що не пройшли перевірки"});
        return 1;
    }
    lvl::Text error;
    if (!lvl::buildGameFolder(pack, r.installed, r.out, error)) {
        say(stderr, error);
        return 1;
    }
    say(stdout,
        {r.out.string() + ": a game folder for \"" + pack.title + "\"",
         r.out.string() + ": folder gry dla \"" + pack.title + "\"", r.out.string() + ": тека гри для \"" + pack.title + "\""});
    return 0;
}

int showPreview(const Request& r) {
    if (r.rest.size() != 1 || r.out.empty()) return usage();
    lvl::Pack pack;
    if (!readOnePack(r, pack)) return 1;
    std::vector<fs::path> written;
    lvl::Text error;
    if (!preview::writePreview(pack, r.installed, r.out, written, error)) {
        say(stderr, error);
        return 1;
    }
    for (const fs::path& file : written) std::printf("%s\n", file.c_str());
    return 0;
}

int practice(const Request& r) {
    if (!r.rest.empty() || r.facts.empty() || r.seed.empty() || r.out.empty()) return usage();
    char* end = nullptr;
    const unsigned long long n = std::strtoull(r.seed.c_str(), &end, 10);
    if (end == r.seed.c_str() || *end != '\0') {
        say(stderr, {"--seed takes a whole number, not " + r.seed, "--seed przyjmuje liczbę całkowitą, nie " + r.seed,
                     "--seed приймає ціле число, а не " + r.seed});
        return 2;
    }
    lessons::FactSpec spec;
    lvl::Text error;
    if (!lessons::parseFacts(r.facts, spec, error)) {
        say(stderr, error);
        return 2;
    }
    lessons::PracticePack pack;
    if (!lessons::makePracticePack(spec, n, r.installed.scenery, pack, error) || !lessons::writePack(pack, r.out, error)) {
        say(stderr, error);
        return 1;
    }
    for (std::size_t i = 0; i < pack.levels.size(); ++i)
        sayFair(pack.levels[i], (r.out / ("level" + std::to_string(i + 1) + ".txt")).string(), pack.proofs[i]);
    say(stdout,
        {r.out.string() + ": \"" + pack.title + "\", seven levels", r.out.string() + ": \"" + pack.title + "\", siedem poziomów",
         r.out.string() + ": \"" + pack.title + "\", сім рівнів"});
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    language = lvl::languageFromEnvironment();
    std::vector<std::string> args(argv + 1, argv + argc);
    // The report reads records only: it needs none of the game's data.
    if (!args.empty() && args[0] == "report") return reportCommand({args.begin() + 1, args.end()}, language);
    std::string data, out;
    Request request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--data" || a == "--out" || a == "--facts" || a == "--seed") {
            if (i + 1 >= args.size()) {
                say(stderr, {a + " needs a value", a + " wymaga wartości", a + " потребує значення"});
                return 2;
            }
            (a == "--data" ? data : a == "--out" ? out : a == "--facts" ? request.facts : request.seed) = args[++i];
        } else if (a == "--help" || a == "-h" || a == "help") {
            std::printf("%s", helpText().in(language).c_str());
            return 0;
        } else {
            request.rest.push_back(a);
        }
    }
    if (request.rest.empty()) return usage();
    const std::string command = request.rest[0];
    request.rest.erase(request.rest.begin());
    lvl::Text error;
    if (!lvl::findInstalled(dataFolder(data), request.installed, error)) {
        say(stderr, error);
        return 2;
    }
    request.out = out.empty() ? fs::path() : fs::absolute(out);
    if (command == "check") return check(request);
    if (command == "build") return build(request);
    if (command == "preview") return showPreview(request);
    if (command == "practice") return practice(request);
    return usage();
}
