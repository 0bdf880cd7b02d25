// The report's charts: horizontal bars as inline SVG, one row per label, each bar made of parts
// laid end to end (right and wrong sums), all rows to one scale. Nothing but SVG elements: no
// script, no font or picture fetched.
#pragma once

#include <string>
#include <vector>

namespace records {

struct ChartRow {
    std::string label;
    std::vector<double> parts;  // drawn in the classes given to barChart, in order
    std::string after;          // the text at the bar's end
};

// `title` names the chart for screen readers; `classes` the CSS class of each part; `legend`
// the parts' names shown under the chart (none when empty). Every text is escaped here.
std::string barChart(const std::string& title, const std::vector<ChartRow>& rows, const std::vector<std::string>& classes,
                     const std::vector<std::string>& legend);

// Text made safe inside HTML and SVG: & < > " ' escaped.
std::string escaped(const std::string& text);

}  // namespace records
