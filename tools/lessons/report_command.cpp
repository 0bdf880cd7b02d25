// kalkulon-levels report FOLDER --out report.html [--csv report.csv] [--since DATE] [--child NAME]:
// the teacher's report over a class folder's records, as a page and as CSV.
#include "report_command.h"

#include "records/report.h"

#include <cstdio>
#include <ctime>
#include <fstream>

namespace {

void say(std::FILE* to, const lvl::Text& text, lvl::Language language) { std::fprintf(to, "%s\n", text.in(language).c_str()); }

bool writeFile(const std::string& path, const std::string& text, lvl::Language language) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (out) return true;
    say(stderr, {"cannot write " + path, "nie można zapisać " + path, "не вдається записати " + path}, language);
    return false;
}

std::string today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

int usage(lvl::Language language) {
    say(stderr,
        {"Usage: kalkulon-levels report FOLDER --out REPORT.html [--csv REPORT.csv] [--since YYYY-MM-DD] [--child NAME]",
         "Użycie: kalkulon-levels report FOLDER --out RAPORT.html [--csv RAPORT.csv] [--since RRRR-MM-DD] [--child IMIĘ]",
         "Використання: kalkulon-levels report ТЕКА --out ЗВІТ.html [--csv ЗВІТ.csv] [--since РРРР-ММ-ДД] [--child ІМ'Я]"},
        language);
    return 2;
}

}  // namespace

int reportCommand(const std::vector<std::string>& args, lvl::Language language) {
    std::string folder, html, csv;
    records::ReportFilter filter;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* into = a == "--out"     ? &html
                            : a == "--csv"   ? &csv
                            : a == "--since" ? &filter.since
                            : a == "--child" ? &filter.child
                                             : nullptr;
        if (into != nullptr && i + 1 < args.size() && into->empty()) *into = args[++i];
        else if (into == nullptr && folder.empty() && !a.starts_with("--")) folder = a;
        else return usage(language);
    }
    if (folder.empty() || html.empty()) return usage(language);
    if (!filter.since.empty() && !records::isDate(filter.since)) {
        say(stderr,
            {"--since takes a date as YYYY-MM-DD, not " + filter.since, "--since przyjmuje datę RRRR-MM-DD, nie " + filter.since,
             "--since приймає дату як РРРР-ММ-ДД, а не " + filter.since},
            language);
        return 2;
    }
    records::RecordSet set;
    lvl::Text error;
    if (!records::readRecords(folder, set, error)) {
        say(stderr, error, language);
        return 1;
    }
    lvl::report(stderr, set.notes, language);
    const records::ClassReport report = records::makeReport(set, filter);
    if (!filter.child.empty() && report.children.empty())
        say(stderr,
            {"no records of " + filter.child, "brak zapisów dziecka " + filter.child, "немає записів дитини " + filter.child},
            language);
    if (!writeFile(html, records::reportHtml(report, filter, language, today()), language)) return 1;
    if (!csv.empty() && !writeFile(csv, records::reportCsv(report), language)) return 1;
    say(stdout,
        {html + ": " + std::to_string(report.children.size()) + " children, " + std::to_string(report.sums.size()) +
             " sums, from " + std::to_string(set.files) + " record files",
         html + ": dzieci " + std::to_string(report.children.size()) + ", działań " + std::to_string(report.sums.size()) +
             ", z plików dziennika: " + std::to_string(set.files),
         html + ": дітей " + std::to_string(report.children.size()) + ", прикладів " + std::to_string(report.sums.size()) +
             ", з файлів записів: " + std::to_string(set.files)},
        language);
    return 0;
}
