// The teacher's report, worked out from the records: per child the games and levels played,
// the sums right and wrong, the time a sum takes and the facts missed most; per fact (a sum as
// a child built it, such as 3*4) across the class, how often it was built right and wrong and
// who got it wrong. It is written as a page (report_html.cpp) and as CSV (report_csv.cpp).
#pragma once

#include "lessons/language.h"
#include "records/record_reader.h"

#include <string>
#include <utility>
#include <vector>

namespace records {

struct ReportFilter {
    std::string since;  // YYYY-MM-DD: records of that day on; empty for all
    std::string child;  // one child's records; empty for all
};

// A date as --since takes it: YYYY-MM-DD.
bool isDate(const std::string& text);

// A sum built wrong: the sum, its value, and the boards it was built for, as often as each.
struct Missed {
    std::string sum;
    int value = 0;
    int times = 0;
    std::vector<int> boards;  // each board once, in the order met
};

struct ChildReport {
    std::string name;
    int games = 0;
    int levelsPlayed = 0;  // levels shown, each try counted
    int right = 0;
    int wrong = 0;
    int restarts = 0;
    double secondsPerSum = 0;    // the median time from a level's start to its sum
    std::vector<Missed> missed;  // the most often first, at most kMissedShown
};

struct FactReport {
    std::string sum;
    int value = 0;
    int right = 0;
    int wrong = 0;
    std::vector<std::pair<std::string, int>> strugglers;  // who built it wrong, how often; most first
};

struct ClassReport {
    std::vector<ChildReport> children;  // by name
    std::vector<FactReport> facts;      // facts built wrong at least once, the most missed first
    std::vector<Record> sums;           // every judged sum, in time order
    std::string firstDay, lastDay;      // of the records taken
    std::vector<std::string> packs;     // the packs played, by title; "" for the game's own levels
    std::vector<lvl::Problem> notes;    // lines of the record files that were skipped
};

inline constexpr std::size_t kMissedShown = 3;

ClassReport makeReport(const RecordSet& set, const ReportFilter& filter);

// A sum as a child reads it: 3 × 4 − 2 ÷ 1 (UTF-8).
std::string shownSum(const std::string& sum);

// The report as one HTML page, in `language`: inline SVG charts, no script, nothing fetched,
// printable on A4. `made` is the day it was made, shown at its foot.
std::string reportHtml(const ClassReport& report, const ReportFilter& filter, lvl::Language language, const std::string& made);

// One row per judged sum: child, time, pack, level, sum, board, value, right, seconds, lives;
// RFC 4180 (CRLF, quotes where needed).
std::string reportCsv(const ClassReport& report);

}  // namespace records
