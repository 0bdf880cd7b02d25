#include "records/record_reader.h"

#include "records/class_folder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace records {

void readRecordText(const std::string& text, const std::string& file, RecordSet& set) {
    std::size_t pos = 0;
    int lineNo = 0;
    ++set.files;
    while (pos < text.size()) {
        ++lineNo;
        const std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) {
            set.notes.push_back({file,
                                 lineNo,
                                 {"the last line is cut short (the game stopped while writing it): skipped",
                                  "ostatni wiersz jest urwany (gra przerwana w trakcie zapisu): pominięty",
                                  "останній рядок обірвано (гру перервано під час запису): пропущено"}});
            return;
        }
        const std::string_view line(text.data() + pos, end - pos);
        pos = end + 1;
        Record record;
        switch (fromLine(line, record)) {
        case LineFault::None:
            set.records.push_back(std::move(record));
            set.games.push_back(file);
            break;
        case LineFault::NotARecord:
            set.notes.push_back(
                {file, lineNo, {"not a record: skipped", "to nie jest zapis gry: pominięty", "це не запис гри: пропущено"}});
            break;
        case LineFault::NewerVersion:
            set.notes.push_back({file,
                                 lineNo,
                                 {"written by a newer Kalkulon: skipped", "zapisane przez nowszego Kalkulona: pominięte",
                                  "записано новішим Калькулоном: пропущено"}});
            break;
        }
    }
}

bool readRecords(const fs::path& folder, RecordSet& set, lvl::Text& error) {
    std::error_code ec;
    const fs::path inside = folder / kRecordsFolder;
    const fs::path where = fs::is_directory(inside, ec) ? inside : folder;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(where, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".jsonl" && it->is_regular_file(ec)) files.push_back(it->path());
    if (ec) {
        error = {"cannot read the folder " + where.string() + ": " + ec.message(),
                 "nie można odczytać folderu " + where.string() + ": " + ec.message(),
                 "не вдається прочитати теку " + where.string() + ": " + ec.message()};
        return false;
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        readRecordText(text, file.string(), set);
    }
    return true;
}

}  // namespace records
