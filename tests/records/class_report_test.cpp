// The teacher's report from a known set of records: the numbers per child and per fact, the
// filters, the lines skipped, the page's escaping and the CSV's quoting.
#include "records/report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using records::Kind;
using records::Record;

namespace {

Record start(const std::string& child, const std::string& day, int level) {
    Record r;
    r.kind = Kind::Start;
    r.child = child;
    r.time = day + "T09:00:00+01:00";
    r.level = level;
    r.lives = 3;
    return r;
}

Record sum(const std::string& child, const std::string& day, const std::string& text, int value, int board, double seconds) {
    Record r = start(child, day, 1);
    r.kind = Kind::Sum;
    r.sum = text;
    r.value = value;
    r.board = board;
    r.right = value == board;
    r.seconds = seconds;
    return r;
}

Record restart(const std::string& child, const std::string& day) {
    Record r = start(child, day, 1);
    r.kind = Kind::Restart;
    return r;
}

std::string lines(const std::vector<Record>& records) {
    std::string text;
    for (const Record& r : records) text += records::toLine(r);
    return text;
}

const std::string kOdd = "<Zoë & \"Co\", =cmd>";

// Two games of Ania, one of Bartek with a torn last line, one of a name that needs escaping.
records::RecordSet classRecords() {
    records::RecordSet set;
    records::readRecordText(lines({start("Ania", "2025-03-10", 1), sum("Ania", "2025-03-10", "3*4", 12, 13, 20),
                                   start("Ania", "2025-03-10", 1), restart("Ania", "2025-03-10")}),
                            "a1.jsonl", set);
    records::readRecordText(lines({start("Ania", "2025-03-12", 1), sum("Ania", "2025-03-12", "3*4", 12, 15, 10),
                                   sum("Ania", "2025-03-12", "2*6", 12, 12, 30), sum("Ania", "2025-03-12", "5+3", 8, 8, 40)}),
                            "a2.jsonl", set);
    records::readRecordText(lines({start("Bartek", "2025-03-11", 1), sum("Bartek", "2025-03-11", "3*4", 12, 13, 5),
                                   sum("Bartek", "2025-03-11", "3*4", 12, 12, 7), sum("Bartek", "2025-03-11", "9-4", 5, 6, 9)}) +
                                "{\"v\":1,\"kind\":\"sum\",\"child\":\"Bar",
                            "b.jsonl", set);
    Record odd = sum(kOdd, "2025-03-12", "2+2", 4, 5, 3);
    odd.pack = "Razy <3>";
    records::readRecordText(lines({odd}) + "{\"v\":2,\"kind\":\"hop\"}\n", "c.jsonl", set);
    return set;
}

}  // namespace

TEST(ClassReport, CountsEachChildsLevelsSumsTimeAndMissedFacts) {
    const records::ClassReport r = records::makeReport(classRecords(), {});
    ASSERT_EQ(r.children.size(), 3u);
    const records::ChildReport& ania = r.children[1];  // by name: "<Zoë...", "Ania", "Bartek"
    EXPECT_EQ(ania.name, "Ania");
    EXPECT_EQ(ania.games, 2);
    EXPECT_EQ(ania.levelsPlayed, 3);
    EXPECT_EQ(ania.right, 2);
    EXPECT_EQ(ania.wrong, 2);
    EXPECT_EQ(ania.restarts, 1);
    EXPECT_DOUBLE_EQ(ania.secondsPerSum, 25);  // 10 20 30 40
    ASSERT_EQ(ania.missed.size(), 1u);
    EXPECT_EQ(ania.missed[0].sum, "3*4");
    EXPECT_EQ(ania.missed[0].times, 2);
    EXPECT_EQ(ania.missed[0].boards, (std::vector<int>{13, 15}));
    EXPECT_DOUBLE_EQ(r.children[2].secondsPerSum, 7);  // Bartek: 5 7 9, the torn line not counted
    EXPECT_EQ(r.firstDay, "2025-03-10");
    EXPECT_EQ(r.lastDay, "2025-03-12");
    EXPECT_EQ(r.packs, (std::vector<std::string>{"", "Razy <3>"}));
    EXPECT_EQ(r.sums.size(), 8u);
    EXPECT_EQ(r.sums.front().time.substr(0, 10), "2025-03-10");  // in time order, not file order
    EXPECT_EQ(r.sums.back().time.substr(0, 10), "2025-03-12");

    // Per fact: the most missed first, and who missed it, the most often first.
    ASSERT_EQ(r.facts.size(), 3u);
    EXPECT_EQ(r.facts[0].sum, "3*4");
    EXPECT_EQ(r.facts[0].wrong, 3);
    EXPECT_EQ(r.facts[0].right, 1);
    EXPECT_EQ(r.facts[0].strugglers, (std::vector<std::pair<std::string, int>>{{"Ania", 2}, {"Bartek", 1}}));

    // The torn last line and the newer record are skipped and said, with their lines.
    ASSERT_EQ(r.notes.size(), 2u);
    EXPECT_EQ(r.notes[0].file + ":" + std::to_string(r.notes[0].line), "b.jsonl:5");
    EXPECT_NE(r.notes[0].what.en.find("cut short"), std::string::npos);
    EXPECT_EQ(r.notes[1].file + ":" + std::to_string(r.notes[1].line), "c.jsonl:2");
}

TEST(ClassReport, FiltersByDayAndChild) {
    const records::ClassReport since = records::makeReport(classRecords(), {"2025-03-12", ""});
    ASSERT_EQ(since.children.size(), 2u);  // Bartek played on the 11th only
    EXPECT_EQ(since.children[1].levelsPlayed, 1);
    EXPECT_EQ(since.firstDay, "2025-03-12");
    const records::ClassReport one = records::makeReport(classRecords(), {"", "Bartek"});
    ASSERT_EQ(one.children.size(), 1u);
    EXPECT_EQ(one.sums.size(), 3u);
    EXPECT_EQ(one.facts.size(), 2u);  // 3*4 and 9-4
    for (const std::string bad : {"2025-3-12", "2025-13-01", "2025-03-00", "12.03.2025", "2025-03-1x"})
        EXPECT_FALSE(records::isDate(bad)) << bad;
    EXPECT_TRUE(records::isDate("2025-12-31"));
}

TEST(ClassReport, ThePageEscapesEveryNameAndFetchesNothing) {
    const records::ClassReport r = records::makeReport(classRecords(), {});
    for (const lvl::Language language : {lvl::Language::English, lvl::Language::Polish}) {
        const std::string page = records::reportHtml(r, {}, language, "2025-03-20");
        EXPECT_EQ(page.find("<Zoë"), std::string::npos);
        EXPECT_NE(page.find("&lt;Zoë &amp; &quot;Co&quot;, =cmd&gt;"), std::string::npos);
        EXPECT_NE(page.find("Razy &lt;3&gt;"), std::string::npos);
        EXPECT_NE(page.find("<svg"), std::string::npos);
        for (const char* fetching : {"<script", "src=", "href=", "url(", "@import"})
            EXPECT_EQ(page.find(fetching), std::string::npos) << fetching;
        EXPECT_NE(page.find("3 × 4 = 12"), std::string::npos);
        EXPECT_NE(page.find("@page { size: A4"), std::string::npos);
    }
    EXPECT_NE(records::reportHtml(r, {}, lvl::Language::Polish, "").find("Co ćwiczyła klasa"), std::string::npos);
}

TEST(ClassReport, TheCsvHasOneQuotedRowPerSum) {
    records::RecordSet set;
    records::readRecordText(lines({sum(kOdd, "2025-03-12", "2+2", 4, 5, 3.25), sum("Ola\nNowak", "2025-03-13", "9-4", 5, 5, 12)}),
                            "c.jsonl", set);
    EXPECT_EQ(records::reportCsv(records::makeReport(set, {})),
              "child,time,pack,level,sum,board,value,right,seconds,lives\r\n"
              "\"<Zoë & \"\"Co\"\", =cmd>\",2025-03-12T09:00:00+01:00,,1,2+2,5,4,0,3.3,3\r\n"
              "\"Ola\nNowak\",2025-03-13T09:00:00+01:00,,1,9-4,5,5,1,12.0,3\r\n");
    records::RecordSet formula;
    records::readRecordText(lines({sum("=HYPERLINK(1)", "2025-03-12", "2+2", 4, 4, 1)}), "f.jsonl", formula);
    EXPECT_NE(records::reportCsv(records::makeReport(formula, {})).find("\r\n'=HYPERLINK(1),"), std::string::npos);
}
