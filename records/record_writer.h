// The record files of one program run: one file per game, in a folder that up to a classroom
// of computers may write at once (a network share). The game never waits for the disk: lines
// are handed to a thread of the writer's own, which looks for them every 20 ms (the game never
// wakes it: on a busy machine a woken thread can take the processor from the game's frame),
// appends each with one write, and syncs the file to the disk when asked (at every level's end)
// and when the file closes. A game killed at any moment leaves every line written before whole;
// at most the line being written is cut short, and readers skip it.
//
// A file's name is the time its game began, the computer's name, the process and six random
// letters, 20250314-094107-lab-pc-07-4711-k3x9qa.jsonl, and it is made anew (never opened if
// it exists), so no two games share a file whatever the share's clocks say.
#pragma once

#include "lessons/language.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

namespace records {

class RecordWriter {
public:
    // Writes into `folder`, which must exist; says any failure on standard error, once.
    RecordWriter(std::filesystem::path folder, lvl::Language language);
    // Writes and syncs whatever is left, then closes.
    ~RecordWriter();
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    // The lines from now on go to a new file (the last one is synced and closed).
    void startFile();
    // One whole line, its newline included.
    void append(std::string line);
    // Everything appended so far goes to the disk.
    void sync();
    // Waits until everything asked so far is done (for tests and measures; the game never waits).
    void drain();

    // The folder, and whether anything could not be written.
    const std::filesystem::path& folder() const { return folder_; }
    bool failed() const;

private:
    enum class Op { Start, Append, Sync };
    struct Task {
        Op op;
        std::string line;
    };
    void submit(Task task);
    void work();
    void perform(const Task& task);
    void openNew();
    void closeFile();
    void fail(const std::string& what, int error);

    std::filesystem::path folder_;
    lvl::Language language_;
    int fd_ = -1;
    std::string fileName_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::deque<Task> queue_;
    bool busy_ = false;
    bool stopping_ = false;
    bool failed_ = false;
    std::thread thread_;  // not joinable when no thread could be made: the work is done at once
};

}  // namespace records
