// kalkulon_save_storm [PROCESSES [SAVES [old]]]: many games saving names into one high-score
// table at once, as children of one class do on a shared account. Each process starts as the
// game does (reads the table, or makes it), then ends SAVES name entries one after another, each
// into a table in memory as old as can be (empty: the game started before any of the others'
// saves), so every entry is saved, under the lock, into what the file holds by then. Scores grow
// with time and no two are alike. A reader process reads the
// file all along. Says how many rows of the ten that belong in the table (the ten best scores
// saved) it holds, and exits 0 only when it holds all of them and every read found a whole
// table. "old" saves as versions before did: the table in memory written over the file.
#include "world/game_world.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The score of save k (the i-th save of process p is i * processes + p), no two alike; its name
// says k.
std::int32_t scoreOf(std::uint32_t k) { return static_cast<std::int32_t>(k + 1); }
void nameOf(std::uint32_t k, char (&name)[kNameLength]) {
    char text[kNameLength + 1];
    std::snprintf(text, sizeof text, "N%07u", k);
    std::memcpy(name, text, kNameLength);
}

struct SaverResult {
    int made = 0;  // -1 when a save failed
    double longestMs = 0;
};

SaverResult saver(int p, int processes, int saves, bool old) {
    GameWorld w;
    w.clearHighScores();
    if (!w.loadHighScores()) w.saveHighScores();
    int failed = 0;
    SaverResult result;
    for (int i = 0; i < saves; ++i) {
        const auto k = static_cast<std::uint32_t>(i * processes + p);
        w.clearHighScores();
        w.score = scoreOf(k);
        w.entryRow = -1;
        w.insertHighScore();
        nameOf(k, w.hiNames[w.entryRow]);
        ++result.made;
        const auto start = std::chrono::steady_clock::now();
        if (old) {
            w.entryRow = -1;
            failed += w.writeHighScores() ? 0 : 1;
        } else {
            failed += w.finishNameEntry() ? 0 : 1;
        }
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        result.longestMs = std::max(result.longestMs, ms);
    }
    if (failed != 0) result.made = -1;
    return result;
}

// Whole: 120 bytes, scores best first, each row's name the one saved with its score.
bool whole(const std::vector<char>& bytes) {
    if (bytes.size() != 120) return false;
    std::int32_t last = INT32_MAX;
    for (int row = 0; row < kHighScoreRows; ++row) {
        std::int32_t score = 0;
        std::memcpy(&score, bytes.data() + 4 * row, 4);
        if (score > last) return false;
        last = score;
        if (score == 0) continue;
        const std::string name(bytes.data() + 40 + kNameLength * row, kNameLength);
        const std::uint32_t k = static_cast<std::uint32_t>(std::strtoul(name.c_str() + 1, nullptr, 10));
        if (name[0] != 'N' || scoreOf(k) != score) return false;
    }
    return true;
}

std::vector<char> readTable() {
    std::vector<char> bytes(256);
    std::FILE* f = std::fopen("hiscore.tbl", "rb");
    if (f == nullptr) return {};
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    return bytes;
}

// Reads the table until the file "stop" appears; then writes the reads and the bad reads to
// `report`.
void reader(int report) {
    long counts[2] = {0, 0};
    while (::access("stop", F_OK) != 0) {
        const std::vector<char> bytes = readTable();
        if (bytes.empty()) continue;  // not made yet
        ++counts[0];
        if (!whole(bytes)) ++counts[1];
    }
    if (::write(report, counts, sizeof counts) != sizeof counts) std::_Exit(2);
}

pid_t fork(const std::function<void()>& child) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        child();
        std::_Exit(0);
    }
    return pid;
}

}  // namespace

int main(int argc, char** argv) {
    const int processes = argc > 1 ? std::atoi(argv[1]) : 20;
    const int saves = argc > 2 ? std::atoi(argv[2]) : 50;
    const bool old = argc > 3 && std::string(argv[3]) == "old";
    char folder[] = "/tmp/kalkulon-storm-XXXXXX";
    if (::mkdtemp(folder) == nullptr || ::chdir(folder) != 0) return 2;

    int report[2], made[2], go[2];
    if (::pipe(report) != 0 || ::pipe(made) != 0) return 2;
    const pid_t readerPid = fork([&] { reader(report[1]); });
    if (::pipe(go) != 0) return 2;
    const auto start = std::chrono::steady_clock::now();
    std::vector<pid_t> savers;
    for (int p = 0; p < processes; ++p) {
        savers.push_back(fork([&] {
            ::close(go[1]);
            char byte = 0;
            if (::read(go[0], &byte, 1) != 0) std::_Exit(2);  // all start at once, when `go` closes
            const SaverResult result = saver(p, processes, saves, old);
            if (::write(made[1], &result, sizeof result) != sizeof result) std::_Exit(2);
        }));
    }
    ::close(go[1]);
    int failedProcesses = 0;
    int written = 0;
    double longestMs = 0;
    for (pid_t pid : savers) {
        ::waitpid(pid, nullptr, 0);
        SaverResult result{-1, 0};
        if (::read(made[0], &result, sizeof result) != sizeof result || result.made < 0) ++failedProcesses;
        else written += result.made;
        longestMs = std::max(longestMs, result.longestMs);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (std::FILE* f = std::fopen("stop", "w")) std::fclose(f);
    long counts[2] = {0, 0};
    if (::read(report[0], counts, sizeof counts) != sizeof counts) return 2;
    ::waitpid(readerPid, nullptr, 0);

    std::vector<std::int32_t> scores;
    for (std::uint32_t k = 0; k < static_cast<std::uint32_t>(processes * saves); ++k) scores.push_back(scoreOf(k));
    std::sort(scores.rbegin(), scores.rend());
    const std::vector<char> bytes = readTable();
    int kept = 0;
    for (int row = 0; row < kHighScoreRows && bytes.size() == 120; ++row) {
        std::int32_t score = 0;
        std::memcpy(&score, bytes.data() + 4 * row, 4);
        kept += score == scores[static_cast<std::size_t>(row)] ? 1 : 0;
    }
    const bool good = kept == kHighScoreRows && whole(bytes) && counts[1] == 0 && failedProcesses == 0;
    std::printf(
        "%s: %d processes x %d names, %d saves, in %.2f s (the longest save %.0f ms): %d of the 10 best rows kept; "
        "%ld reads of the file, %ld not whole; %d processes with a failed save\n",
        old ? "memory written over the file" : "saved under the lock", processes, saves, written, seconds, longestMs, kept,
        counts[0], counts[1], failedProcesses);
    std::error_code ec;
    fs::remove_all(folder, ec);
    return good ? 0 : 1;
}
