#include "platform/report.h"

#include <cstdio>

namespace plat {

std::string failureLine(std::string_view what, std::string_view reason) {
    std::string line = "kalkulon: ";
    line += what;
    line += ": ";
    if (reason.empty()) reason = "no reason given";
    for (const char c : reason) line += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? ' ' : c;
    while (line.back() == ' ') line.pop_back();
    return line;
}

void reportFailure(std::string_view what, std::string_view reason) {
    const std::string line = failureLine(what, reason) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace plat
