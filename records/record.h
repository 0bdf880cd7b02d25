// One record of what a child did in a game, and its form in a record file: one JSON object a
// line (UTF-8), so that a teacher can read a file in any text editor and a spreadsheet or
// script can read it too. Every line carries the format's version "v". Fields:
//   v        1
//   kind     "start" (a level shows), "sum" (a sum judged), "restart" (the pause menu's
//            restart), "end" (the game's end)
//   time     local date and time with the offset from UTC, 2025-03-14T09:41:07+01:00
//   child    who plays
//   pack     the lesson pack's title; "" for the game's own seven levels
//   level    1 to 7
//   lives    start: the lives the level starts with; sum: the lives held as it was judged;
//            restart: the lives left after it; end: the lives left (0 when lost)
//   sum      sum: the text built (digits and + - * /)
//   board    sum: the number on the board
//   value    sum: the sum's value
//   right    sum: true when the value is the board's number
//   seconds  sum and restart: seconds since the level showed, to a tenth
//   how      end: "completed", "lost", "left" or "closed"
//   score    end: the game's points
#pragma once

#include <string>
#include <string_view>

namespace records {

inline constexpr int kFormatVersion = 1;

enum class Kind { Start, Sum, Restart, End };

struct Record {
    Kind kind = Kind::Start;
    std::string time;
    std::string child;
    std::string pack;
    int level = 0;
    int lives = 0;
    std::string sum;
    int board = 0;
    int value = 0;
    bool right = false;
    double seconds = 0;
    std::string how;
    int score = 0;
};

// The record as one line, its newline included. Text that is no UTF-8 is written with U+FFFD
// in place of the bytes that are not.
std::string toLine(const Record& record);

// Reads a line (without its newline) into `record`: None, or why it is no record this program
// reads.
enum class LineFault { None, NotARecord, NewerVersion };
LineFault fromLine(std::string_view line, Record& record);

// The local time now in the records' form.
std::string localTimeNow();

}  // namespace records
