// Record files written by many games at once into one class folder, one of them killed in the
// middle of writing: every whole line reads back, each game's records complete and in order.
#include "records/play_recorder.h"
#include "records/record_reader.h"
#include "records/record_writer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr int kWriters = 12;
constexpr int kSums = 150;

// A game in a process of its own: a level, `sums` sums numbered by their board, the end; with
// `sums` < 0 sums without end (until killed).
pid_t playInChild(const fs::path& folder, const std::string& child, int sums) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    {
        records::RecordWriter writer(folder, lvl::Language::English);
        records::PlayRecorder recorder(writer, child, "pakiet");
        recorder.levelStarted(1, 3, 0);
        for (int n = 0; sums < 0 || n < sums; ++n) recorder.sumJudged("3*4", 12, n, 3);
        recorder.gameEnded(GameEnd::Lost, 25);
    }
    ::_exit(0);
}

std::uintmax_t folderBytes(const fs::path& folder) {
    std::uintmax_t bytes = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) bytes += entry.file_size(ec);
    return bytes;
}

}  // namespace

TEST(RecordFiles, ManyGamesAtOnceAndOneKilledLoseNoWholeRecord) {
    testing_support::TempDir dir;
    const fs::path folder = dir.path() / "records";
    fs::create_directory(folder);
    // Long names make long lines, so that the kill is likely to fall inside a write.
    const pid_t killed = playInChild(folder, std::string(20000, 'k'), -1);
    std::vector<pid_t> writers;
    for (int w = 0; w < kWriters; ++w) writers.push_back(playInChild(folder, "child" + std::to_string(w), kSums));
    for (int waited = 0; folderBytes(folder) < 1'000'000 && waited < 2000; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ::kill(killed, SIGKILL);
    for (pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    ::waitpid(killed, nullptr, 0);

    records::RecordSet set;
    lvl::Text error;
    ASSERT_TRUE(records::readRecords(dir.path(), set, error));
    EXPECT_EQ(set.files, kWriters + 1);
    // Each game's records in the order written: the start, the sums by their board, the end.
    std::map<std::string, std::vector<const records::Record*>> byGame;
    for (std::size_t i = 0; i < set.records.size(); ++i) byGame[set.games[i]].push_back(&set.records[i]);
    ASSERT_EQ(byGame.size(), static_cast<std::size_t>(kWriters + 1));
    for (const auto& [file, game] : byGame) {
        const bool isKilled = game.front()->child.size() == 20000;
        ASSERT_GE(game.size(), isKilled ? 2u : kSums + 2u) << file;
        EXPECT_EQ(game.front()->kind, records::Kind::Start) << file;
        for (std::size_t n = 1; n + (isKilled ? 0 : 1) < game.size(); ++n) {
            ASSERT_EQ(game[n]->kind, records::Kind::Sum) << file << " record " << n;
            ASSERT_EQ(game[n]->board, static_cast<int>(n - 1)) << file << " record " << n;
        }
        if (!isKilled) {
            EXPECT_EQ(game.back()->kind, records::Kind::End) << file;
        }
    }
    // At most the line being written when the game was killed is skipped, and said.
    ASSERT_LE(set.notes.size(), 1u);
    for (const lvl::Problem& p : set.notes) {
        EXPECT_NE(p.what.en.find("cut short"), std::string::npos) << p.what.en;
    }
}
