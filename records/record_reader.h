// Reading the record files back: every "*.jsonl" file of a class folder's records/ (or of the
// folder itself, when it has no records/), line by line. A line cut short at a file's end (a game
// stopped while writing it) is skipped and said; so is any line that is no record, or one
// written by a newer version of the game.
#pragma once

#include "lessons/language.h"
#include "records/record.h"

#include <filesystem>
#include <string>
#include <vector>

namespace records {

struct RecordSet {
    std::vector<Record> records;      // in file-name order (the time the game began), then line order
    std::vector<std::string> games;   // the file each record came from, one for each record
    std::vector<lvl::Problem> notes;  // the lines skipped, and why
    int files = 0;
};

// Reads the records of `folder`; false, with why, when it cannot be read at all.
bool readRecords(const std::filesystem::path& folder, RecordSet& set, lvl::Text& error);

// Reads one file's text, named `file` in notes.
void readRecordText(const std::string& text, const std::string& file, RecordSet& set);

}  // namespace records
