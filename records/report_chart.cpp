#include "records/report_chart.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace records {

namespace {

constexpr double kWidth = 640;
constexpr double kLabelWidth = 150;
constexpr double kBarWidth = 400;
constexpr double kRowHeight = 20;
constexpr double kBarHeight = 14;
constexpr double kLegendHeight = 24;
constexpr std::size_t kLongestLabel = 22;  // characters; longer labels end in "…"

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    std::string s = text;
    if (s.ends_with(".0")) s.resize(s.size() - 2);
    return s;
}

// The first `most` characters of a UTF-8 text, and "…" when there were more.
std::string cut(const std::string& text, std::size_t most) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (characters++ == most) return text.substr(0, i) + "…";
    }
    return text;
}

}  // namespace

std::string escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string barChart(const std::string& title, const std::vector<ChartRow>& rows, const std::vector<std::string>& classes,
                     const std::vector<std::string>& legend) {
    double largest = 0;
    for (const ChartRow& row : rows) largest = std::max(largest, std::accumulate(row.parts.begin(), row.parts.end(), 0.0));
    const double scale = largest > 0 ? kBarWidth / largest : 0;
    const double height = kRowHeight * static_cast<double>(rows.size()) + (legend.empty() ? 4 : kLegendHeight);
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" role=\"img\" viewBox=\"0 0 " + number(kWidth) + " " +
                      number(height) + "\" width=\"" + number(kWidth) + "\" height=\"" + number(height) + "\"><title>" +
                      escaped(title) + "</title>\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ChartRow& row = rows[i];
        const double top = kRowHeight * static_cast<double>(i);
        svg += "<text x=\"" + number(kLabelWidth - 6) + "\" y=\"" + number(top + 14) + "\" class=\"label\">" +
               escaped(cut(row.label, kLongestLabel)) + "</text>";
        double x = kLabelWidth;
        for (std::size_t p = 0; p < row.parts.size() && p < classes.size(); ++p) {
            const double w = row.parts[p] * scale;
            if (w > 0)
                svg += "<rect x=\"" + number(x) + "\" y=\"" + number(top + 3) + "\" width=\"" + number(w) + "\" height=\"" +
                       number(kBarHeight) + "\" class=\"" + classes[p] + "\"/>";
            x += w;
        }
        svg += "<text x=\"" + number(x + 4) + "\" y=\"" + number(top + 14) + "\">" + escaped(row.after) + "</text>\n";
    }
    double x = kLabelWidth;
    const double legendTop = kRowHeight * static_cast<double>(rows.size()) + 6;
    for (std::size_t p = 0; p < legend.size() && p < classes.size(); ++p) {
        svg += "<rect x=\"" + number(x) + "\" y=\"" + number(legendTop) + "\" width=\"12\" height=\"12\" class=\"" + classes[p] +
               "\"/><text x=\"" + number(x + 16) + "\" y=\"" + number(legendTop + 11) + "\">" + escaped(legend[p]) + "</text>";
        x += 130;
    }
    return svg + "</svg>\n";
}

}  // namespace records
