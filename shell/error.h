// The reporter every part of the game holds: the modal error dialog for a failed display start,
// and the append-only trace, which goes to the file whoever made the game named (the game
// itself: "debug.txt" in the folder it runs in) or nowhere (the tools and the tests that do not
// look at it).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// Result codes of the display start and of the flip; each has a fixed dialog text.
enum class ErrorCode : std::int32_t {
    Ok = 0,
    OutOfMemory = 1,
    BadWindowHandle = 2,
    NoVideoDevice = 3,
    CooperativeLevelFailed = 4,
    DisplayModeFailed = 5,
    OutOfVideoMemory = 6,
    NoMemoryForSurface = 7,
    ClearSurfaceFailed = 8,
    LockSurfaceFailed = 9,
    UnlockSurfaceFailed = 10,
    PixelFormatFailed = 11,
    FlipFailed = 12,
    ContextFailed = 13,
};

// Dialog text of a code (Windows-1250 bytes); codes outside 0..13, negative ones included,
// share the "not yet assigned" text.
std::string_view errorText(std::int32_t code);

// The game's own trace, in the folder it runs in.
inline constexpr const char* kTraceFile = "debug.txt";

class ErrorReporter {
public:
    // A reporter whose trace goes nowhere.
    ErrorReporter() = default;
    // A reporter whose trace goes to the file `traceFile`.
    explicit ErrorReporter(std::string traceFile) : traceFile_(std::move(traceFile)) {}

    // Shows the text of `code` in a modal box captioned "Błąd!" and waits for the user.
    int showMessage(std::int32_t code) const;
    int showMessage(ErrorCode code) const { return showMessage(static_cast<std::int32_t>(code)); }

    // Appends (or, with append false, starts afresh) the trace with the bytes of `text`.
    // A trace that cannot be opened is skipped silently; so is one that is a link or anything
    // but a regular file (it is never followed or waited for).
    void debugLog(const char* text, bool append = true) const;
    // The decimal form of a signed 32-bit number, then as above.
    void debugLog(std::int32_t number, bool append = true) const;

private:
    std::string traceFile_;  // empty: no trace
};
