// The report's CSV: one row per judged sum for a spreadsheet, as RFC 4180 writes it.
#include "records/report.h"

#include <cstdio>

namespace records {

namespace {

// A field, quoted when it holds a comma, a quote or a line break. A text a spreadsheet would
// take for a formula (starting with = + - @, a tab or a carriage return) gets an apostrophe in
// front, so that a name in class.txt can never run as one.
std::string field(const std::string& text, bool isText) {
    std::string value = text;
    if (isText && !value.empty() && std::string_view("=+-@\t\r").find(value.front()) != std::string_view::npos)
        value.insert(value.begin(), '\'');
    if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::string reportCsv(const ClassReport& report) {
    std::string out = "child,time,pack,level,sum,board,value,right,seconds,lives\r\n";
    for (const Record& r : report.sums) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.1f", r.seconds);
        out += field(r.child, true) + "," + field(r.time, true) + "," + field(r.pack, true) + "," + std::to_string(r.level) +
               "," + field(r.sum, true) + "," + std::to_string(r.board) + "," + std::to_string(r.value) + "," +
               (r.right ? "1" : "0") + "," + seconds + "," + std::to_string(r.lives) + "\r\n";
    }
    return out;
}

}  // namespace records
