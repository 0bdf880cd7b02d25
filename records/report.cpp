#include "records/report.h"

#include <algorithm>
#include <map>
#include <set>

namespace records {

namespace {

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

bool wanted(const Record& r, const ReportFilter& filter) {
    if (!filter.child.empty() && r.child != filter.child) return false;
    return filter.since.empty() || r.time.substr(0, 10) >= filter.since;
}

// What is gathered per child before the child's report is made.
struct Gathered {
    ChildReport report;
    std::set<std::string> games;
    std::vector<double> seconds;
    std::map<std::string, Missed> missed;
};

void countSum(const Record& r, Gathered& child, std::map<std::string, FactReport>& facts,
              std::map<std::string, std::map<std::string, int>>& strugglers) {
    child.seconds.push_back(r.seconds);
    FactReport& fact = facts[r.sum];
    fact.sum = r.sum;
    fact.value = r.value;
    if (r.right) {
        ++child.report.right;
        ++fact.right;
        return;
    }
    ++child.report.wrong;
    ++fact.wrong;
    ++strugglers[r.sum][r.child];
    Missed& m = child.missed[r.sum];
    m.sum = r.sum;
    m.value = r.value;
    ++m.times;
    if (std::find(m.boards.begin(), m.boards.end(), r.board) == m.boards.end()) m.boards.push_back(r.board);
}

ChildReport finished(Gathered& g) {
    ChildReport c = std::move(g.report);
    c.games = static_cast<int>(g.games.size());
    c.secondsPerSum = median(g.seconds);
    for (auto& [sum, m] : g.missed) c.missed.push_back(std::move(m));
    std::stable_sort(c.missed.begin(), c.missed.end(), [](const Missed& a, const Missed& b) { return a.times > b.times; });
    if (c.missed.size() > kMissedShown) c.missed.resize(kMissedShown);
    return c;
}

}  // namespace

bool isDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9') return false;
    const int month = std::stoi(text.substr(5, 2));
    const int day = std::stoi(text.substr(8, 2));
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

ClassReport makeReport(const RecordSet& set, const ReportFilter& filter) {
    ClassReport out;
    out.notes = set.notes;
    std::map<std::string, Gathered> children;
    std::map<std::string, FactReport> facts;
    std::map<std::string, std::map<std::string, int>> strugglers;
    std::set<std::string> packs;
    for (std::size_t i = 0; i < set.records.size(); ++i) {
        const Record& r = set.records[i];
        if (!wanted(r, filter)) continue;
        const std::string day = r.time.substr(0, 10);
        if (out.firstDay.empty() || day < out.firstDay) out.firstDay = day;
        if (day > out.lastDay) out.lastDay = day;
        packs.insert(r.pack);
        Gathered& child = children[r.child];
        child.report.name = r.child;
        child.games.insert(set.games[i]);
        if (r.kind == Kind::Start) ++child.report.levelsPlayed;
        if (r.kind == Kind::Restart) ++child.report.restarts;
        if (r.kind != Kind::Sum) continue;
        countSum(r, child, facts, strugglers);
        out.sums.push_back(r);
    }
    out.packs.assign(packs.begin(), packs.end());
    for (auto& [name, g] : children) out.children.push_back(finished(g));
    for (auto& [sum, fact] : facts) {
        if (fact.wrong == 0) continue;
        for (const auto& [who, times] : strugglers[sum]) fact.strugglers.emplace_back(who, times);
        std::stable_sort(fact.strugglers.begin(), fact.strugglers.end(),
                         [](const auto& a, const auto& b) { return a.second > b.second; });
        out.facts.push_back(std::move(fact));
    }
    std::stable_sort(out.facts.begin(), out.facts.end(), [](const FactReport& a, const FactReport& b) {
        if (a.wrong != b.wrong) return a.wrong > b.wrong;
        return a.strugglers.size() > b.strugglers.size();
    });
    std::stable_sort(out.sums.begin(), out.sums.end(), [](const Record& a, const Record& b) { return a.time < b.time; });
    return out;
}

std::string shownSum(const std::string& sum) {
    std::string out;
    for (char c : sum) {
        switch (c) {
        case '*':
            out += " × ";
            break;
        case '/':
            out += " ÷ ";
            break;
        case '-':
            out += " − ";
            break;
        case '+':
            out += " + ";
            break;
        default:
            out += c;
        }
    }
    return out;
}

}  // namespace records
