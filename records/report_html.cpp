// The report as one HTML page: a summary, the children with their sums right and wrong, the
// time a sum takes, and the facts the class missed with who struggles with each. Charts are
// inline SVG; the page runs no script and fetches nothing, and prints on A4.
#include "records/report.h"
#include "records/report_chart.h"

#include <cstdio>

namespace records {

namespace {

constexpr std::size_t kFactsCharted = 10;

const char* const kStyle = R"(<style>
body { font-family: "DejaVu Sans", Verdana, sans-serif; font-size: 11pt; color: #222; margin: 2em auto; max-width: 180mm; }
h1 { font-size: 18pt; margin-bottom: 0.2em; }
h2 { font-size: 14pt; margin-top: 1.4em; border-bottom: 1px solid #bbb; break-after: avoid; }
table { border-collapse: collapse; width: 100%; font-size: 10pt; }
th, td { border-bottom: 1px solid #ddd; padding: 3px 6px; text-align: left; vertical-align: top; }
td.n, th.n { text-align: right; }
tr { break-inside: avoid; }
svg { max-width: 100%; height: auto; font-size: 11px; font-family: inherit; break-inside: avoid; }
svg .label { text-anchor: end; }
.right { fill: #2e8b57; } .wrong { fill: #c0392b; } .time { fill: #3465a4; }
.note { color: #666; font-size: 9pt; }
.fact { white-space: nowrap; }
td.missed { width: 40%; }
.keep { break-inside: avoid; }
@page { size: A4; margin: 15mm; }
@media print { body { margin: 0; max-width: none; font-size: 10pt; } }
</style>
)";

struct Words {
    lvl::Language language;
    const std::string& operator()(const lvl::Text& text) const { return text.in(language); }
};

std::string seconds(double s) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", s);
    return text;
}

std::string fact(const std::string& sum, int value) { return shownSum(sum) + " = " + std::to_string(value); }

std::string summary(const ClassReport& r, const ReportFilter& filter, const Words& w) {
    std::string out = "<p>" + escaped(w({"Children: ", "Dzieci: ", "Діти: "})) + std::to_string(r.children.size()) + ". " +
                      escaped(w({"Sums judged: ", "Ocenione działania: ", "Оцінені приклади: "})) +
                      std::to_string(r.sums.size()) + ". ";
    if (!r.firstDay.empty()) out += escaped(w({"Days: ", "Dni: ", "Дні: "})) + r.firstDay + " – " + r.lastDay + ".";
    std::string packs;
    for (const std::string& p : r.packs)
        packs += (packs.empty() ? "" : "; ") + escaped(p.empty() ? w({"the game's own levels", "poziomy gry", "рівні гри"}) : p);
    if (!packs.empty()) out += " " + escaped(w({"Played: ", "Grane: ", "Зіграно: "})) + packs + ".";
    if (!filter.child.empty()) out += " " + escaped(w({"Only ", "Tylko ", "Лише "}) + filter.child) + ".";
    if (!filter.since.empty()) out += " " + escaped(w({"From ", "Od ", "Від "}) + filter.since) + ".";
    return out + "</p>\n";
}

std::string childrenPart(const ClassReport& r, const Words& w) {
    std::vector<ChartRow> rows;
    std::vector<ChartRow> times;
    for (const ChildReport& c : r.children) {
        rows.push_back({c.name,
                        {static_cast<double>(c.right), static_cast<double>(c.wrong)},
                        std::to_string(c.right) + " / " + std::to_string(c.wrong)});
        times.push_back({c.name, {c.secondsPerSum}, seconds(c.secondsPerSum)});
    }
    const std::string right = w({"right", "dobrze", "правильно"});
    const std::string wrong = w({"wrong", "źle", "неправильно"});
    const std::string rightHead = w({"Right", "Dobrze", "Правильно"});
    const std::string wrongHead = w({"Wrong", "Źle", "Неправильно"});
    std::string out = "<h2>" + escaped(w({"Each child", "Każde dziecko", "Кожна дитина"})) + "</h2>\n";
    out += barChart(w({"Sums right and wrong per child", "Działania dobre i złe każdego dziecka",
                       "Правильні й неправильні приклади кожної дитини"}),
                    rows, {"right", "wrong"}, {right, wrong});
    out += "<table><thead><tr><th>" + escaped(w({"Child", "Dziecko", "Дитина"})) + "</th><th class=n>" +
           escaped(w({"Games", "Gry", "Ігри"})) + "</th><th class=n>" +
           escaped(w({"Levels played", "Zagrane poziomy", "Зіграні рівні"})) + "</th><th class=n>" + escaped(rightHead) +
           "</th><th class=n>" + escaped(wrongHead) + "</th><th class=n>" + escaped(w({"Restarts", "Od nowa", "Спочатку"})) +
           "</th><th class=n>" + escaped(w({"Time per sum", "Czas działania", "Час на приклад"})) + "</th><th>" +
           escaped(w({"Missed most", "Najczęstsze błędy", "Найчастіші помилки"})) + "</th></tr></thead>\n";
    for (const ChildReport& c : r.children) {
        std::string missed;
        for (const Missed& m : c.missed) {
            std::string boards;
            for (int b : m.boards) boards += (boards.empty() ? "" : ", ") + std::to_string(b);
            missed += (missed.empty() ? "" : "<br>") + std::string("<span class=fact>") + escaped(fact(m.sum, m.value)) + " ×" +
                      std::to_string(m.times) + " <span class=note>" + escaped(w({"for ", "zamiast ", "замість "})) + boards +
                      "</span></span>";
        }
        out += "<tr><td>" + escaped(c.name) + "</td><td class=n>" + std::to_string(c.games) + "</td><td class=n>" +
               std::to_string(c.levelsPlayed) + "</td><td class=n>" + std::to_string(c.right) + "</td><td class=n>" +
               std::to_string(c.wrong) + "</td><td class=n>" + std::to_string(c.restarts) + "</td><td class=n>" +
               seconds(c.secondsPerSum) + "</td><td class=missed>" + missed + "</td></tr>\n";
    }
    out += "</table>\n<section class=keep><h2>" + escaped(w({"Time per sum", "Czas jednego działania", "Час одного прикладу"})) +
           "</h2>\n<p class=note>" +
           escaped(w({"The middle time (median) from a level's start to the sum's \"=\".",
                      "Środkowy czas (mediana) od początku poziomu do \"=\" działania.",
                      "Середній час (медіана) від початку рівня до \"=\" прикладу."})) +
           "</p>\n";
    return out +
           barChart(w({"Time per sum per child", "Czas działania każdego dziecka", "Час на приклад кожної дитини"}), times,
                    {"time"}, {}) +
           "</section>\n";
}

std::string factsPart(const ClassReport& r, const Words& w) {
    std::string out = "<section class=keep><h2>" +
                      escaped(w(
                          {"Facts the class missed", "Działania, które sprawiły kłopot", "Приклади, з якими клас мав клопіт"})) +
                      "</h2>\n";
    if (r.facts.empty())
        return out + "<p>" +
               escaped(w({"No sum was wrong.", "Żadne działanie nie było złe.", "Жодного неправильного прикладу."})) +
               "</p></section>\n";
    out += "<p class=note>" +
           escaped(w({"A fact is a sum as a child built it; wrong means it was not the board's number.",
                      "Działanie tak, jak ułożyło je dziecko; źle znaczy, że nie dało liczby z tablicy.",
                      "Приклад — так, як його склала дитина; неправильно означає, що він не дав числа з таблички."})) +
           "</p>\n";
    std::vector<ChartRow> rows;
    for (std::size_t i = 0; i < r.facts.size() && i < kFactsCharted; ++i) {
        const FactReport& f = r.facts[i];
        rows.push_back({fact(f.sum, f.value),
                        {static_cast<double>(f.wrong), static_cast<double>(f.right)},
                        std::to_string(f.wrong) + " / " + std::to_string(f.right)});
    }
    out += barChart(w({"Facts missed most", "Najczęstsze błędy", "Найчастіші помилки"}), rows, {"wrong", "right"},
                    {w({"wrong", "źle", "неправильно"}), w({"right", "dobrze", "правильно"})}) +
           "</section>\n";
    out += "<table><thead><tr><th>" + escaped(w({"Fact", "Działanie", "Приклад"})) + "</th><th class=n>" +
           escaped(w({"Wrong", "Źle", "Неправильно"})) + "</th><th class=n>" + escaped(w({"Right", "Dobrze", "Правильно"})) +
           "</th><th>" + escaped(w({"Who struggles", "Kto ma kłopot", "Кому важко"})) + "</th></tr></thead>\n";
    for (const FactReport& f : r.facts) {
        std::string who;
        for (const auto& [name, times] : f.strugglers)
            who += (who.empty() ? "" : ", ") + escaped(name) + " ×" + std::to_string(times);
        out += "<tr><td>" + escaped(fact(f.sum, f.value)) + "</td><td class=n>" + std::to_string(f.wrong) + "</td><td class=n>" +
               std::to_string(f.right) + "</td><td>" + who + "</td></tr>\n";
    }
    return out + "</table>\n";
}

std::string notesPart(const ClassReport& r, const Words& w) {
    if (r.notes.empty()) return "";
    std::string out = "<h2>" + escaped(w({"Lines skipped", "Pominięte wiersze", "Пропущені рядки"})) + "</h2>\n<ul class=note>\n";
    for (const lvl::Problem& p : r.notes) out += "<li>" + escaped(p.format(w.language)) + "</li>\n";
    return out + "</ul>\n";
}

}  // namespace

std::string reportHtml(const ClassReport& report, const ReportFilter& filter, lvl::Language language, const std::string& made) {
    const Words w{language};
    const std::string title = w({"What the class practised", "Co ćwiczyła klasa", "Що вправляв клас"});
    std::string out = "<!DOCTYPE html>\n<html lang=\"" +
                      std::string(language == lvl::Language::Polish      ? "pl"
                                  : language == lvl::Language::Ukrainian ? "uk"
                                                                         : "en") +
                      "\">\n<head>\n<meta charset=\"utf-8\">\n<title>Kalkulon: " + escaped(title) + "</title>\n" + kStyle +
                      "</head>\n<body>\n<h1>Kalkulon: " + escaped(title) + "</h1>\n" + summary(report, filter, w);
    if (report.children.empty()) {
        out += "<p>" + escaped(w({"No records to show.", "Brak zapisów do pokazania.", "Немає записів для показу."})) + "</p>\n";
    } else {
        out += childrenPart(report, w) + factsPart(report, w);
    }
    out += notesPart(report, w);
    out += "<p class=note>" +
           escaped(
               w({"Made by kalkulon-levels on ", "Zrobione programem kalkulon-levels ", "Зроблено програмою kalkulon-levels "}) +
               made) +
           ".</p>\n";
    return out + "</body>\n</html>\n";
}

}  // namespace records
