// The trace, appended to as the game goes; the rules write it too, so it is part of their
// library (the error dialog, in error.cpp, is not).
#include "shell/error.h"

#include "platform/platform.h"

#include <cstdio>

void ErrorReporter::debugLog(const char* text, bool append) const {
    if (traceFile_.empty()) return;
    std::FILE* f = plat::openFile(traceFile_.c_str(), append ? "a" : "w");
    if (f == nullptr) return;
    std::fputs(text, f);
    std::fclose(f);
}

void ErrorReporter::debugLog(std::int32_t number, bool append) const {
    if (traceFile_.empty()) return;
    char buffer[12] = {};
    std::snprintf(buffer, sizeof buffer, "%d", number);
    debugLog(buffer, append);
}
