// What keeping records costs: a record on the game's thread (made, and handed to the writer's
// thread, which writes and syncs it meanwhile), the longest frame of the recorded whole game with
// and without records, and the teacher's report over 30 children of 500 sums each.
#include "headless_game.h"
#include "recording.h"
#include "records/play_recorder.h"
#include "records/record_writer.h"
#include "records/report.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

namespace bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A scratch folder under the system's temporary folder, removed at the end.
struct Scratch {
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "kalkulon-records-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

// A judged sum as the game reports it: the record made, written and synced by the writer's
// thread while the game goes on.
void record_sum(benchmark::State& state) {
    Scratch scratch;
    records::RecordWriter writer(scratch.path, lvl::Language::English);
    records::PlayRecorder recorder(writer, "Zuzanna", "Tabliczka mnożenia: x2, x5, x10");
    recorder.levelStarted(1, 3, 0);
    for (auto _ : state) recorder.sumJudged("2*5+3", 13, 13, 3);
    writer.drain();
    if (writer.failed()) state.SkipWithError("the records could not be written");
}
BENCHMARK(record_sum)->Unit(benchmark::kMicrosecond)->Iterations(20000);

// Passes every call on, noting that the frame being made holds a record and how long the
// longest call took.
class FrameMarker : public PlayObserver {
public:
    explicit FrameMarker(PlayObserver* next) : next_(next) {}
    void levelStarted(std::int32_t l, std::int32_t v, std::int32_t s) override {
        mark([&] { next_->levelStarted(l, v, s); });
    }
    void sumJudged(const char* t, std::int32_t v, std::int32_t b, std::int32_t l) override {
        mark([&] { next_->sumJudged(t, v, b, l); });
    }
    void levelRestarted(std::int32_t l) override {
        mark([&] { next_->levelRestarted(l); });
    }
    void gameEnded(GameEnd h, std::int32_t s) override {
        mark([&] { next_->gameEnded(h, s); });
    }
    void lessonChosen(const std::string& t) override {
        mark([&] { next_->lessonChosen(t); });
    }
    bool recorded = false;
    double longestCallUs = 0;
    int calls = 0;
    int callsOverAMillisecond = 0;

private:
    template <typename Call>
    void mark(Call call) {
        recorded = true;
        const Clock::time_point start = Clock::now();
        if (next_ != nullptr) call();
        const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
        longestCallUs = std::max(longestCallUs, us);
        ++calls;
        if (us > 1000) ++callsOverAMillisecond;
    }
    PlayObserver* next_;
};

// The CPU time of the calling thread: what the game's own work took, without the waits for a
// processor that a busy machine adds to wall time.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The recorded whole game (seven levels, a lost one, restarts, the name entry) played back; the
// longest time between two presents in wall time and in the game thread's CPU time, the same
// for the frames holding a record, and the longest call of the observer. Argument 1: with
// records, 0: without.
void whole_game_frames(benchmark::State& state) {
    replay::Inputs inputs;
    std::string error;
    if (!replay::readInputsFile(KALKULON_SOURCE_DIR "/tests/golden/whole_game/recording.txt", inputs, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    Scratch scratch;
    struct Longest {
        double wall = 0, cpu = 0, recordedWall = 0, recordedCpu = 0, call = 0;
    } longest;
    for (auto _ : state) {
        records::RecordWriter writer(scratch.path, lvl::Language::English);
        records::PlayRecorder recorder(writer, "Zuzanna", "");
        FrameMarker marker(state.range(0) != 0 ? &recorder : nullptr);
        replay::HeadlessGame game;
        game.app->playObserver = &marker;
        Clock::time_point last = Clock::now();
        double lastCpu = threadCpuMs();
        plat::headless::setPresentHook([&](const plat::headless::Frame&) {
            const Clock::time_point now = Clock::now();
            const double cpuNow = threadCpuMs();
            const double wall = std::chrono::duration<double, std::milli>(now - last).count();
            const double cpu = cpuNow - lastCpu;
            longest.wall = std::max(longest.wall, wall);
            longest.cpu = std::max(longest.cpu, cpu);
            if (marker.recorded) {
                longest.recordedWall = std::max(longest.recordedWall, wall);
                longest.recordedCpu = std::max(longest.recordedCpu, cpu);
            }
            marker.recorded = false;
            last = now;
            lastCpu = cpuNow;
        });
        if (game.replay(inputs) != 0 || game.timedOut) state.SkipWithError("the recorded game did not end as recorded");
        longest.call = std::max(longest.call, marker.longestCallUs);
        state.counters["calls"] = marker.calls;
        state.counters["calls_over_1ms"] = marker.callsOverAMillisecond;
    }
    state.counters["frame_ms"] = longest.wall;
    state.counters["frame_cpu_ms"] = longest.cpu;
    state.counters["recorded_frame_ms"] = longest.recordedWall;
    state.counters["recorded_frame_cpu_ms"] = longest.recordedCpu;
    state.counters["record_call_us"] = longest.call;
}
BENCHMARK(whole_game_frames)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

// 30 children, each 25 games of 20 levels shown and sums judged (500 sums), a fifth of them
// wrong, written as the game writes them.
void writeClass(const fs::path& folder) {
    fs::create_directories(folder / "records");
    for (int child = 0; child < 30; ++child) {
        for (int game = 0; game < 25; ++game) {
            std::ofstream out(folder / "records" / ("g-" + std::to_string(child) + "-" + std::to_string(game) + ".jsonl"));
            for (int n = 0; n < 20; ++n) {
                records::Record r;
                r.time = "2025-03-" + std::to_string(10 + game % 10) + "T09:00:00+01:00";
                r.child = "Dziecko " + std::to_string(child);
                r.level = n % 7 + 1;
                r.lives = 3;
                out << records::toLine(r);
                const int a = (child + n) % 9 + 1;
                const int b = (game + n) % 9 + 1;
                r.kind = records::Kind::Sum;
                r.sum = std::to_string(a) + "*" + std::to_string(b);
                r.value = a * b;
                r.right = n % 5 != 0;
                r.board = r.right ? r.value : r.value + 1;
                r.seconds = 10 + n;
                out << records::toLine(r);
            }
        }
    }
}

void report_class(benchmark::State& state) {
    Scratch scratch;
    writeClass(scratch.path);
    std::size_t sums = 0;
    for (auto _ : state) {
        records::RecordSet set;
        lvl::Text error;
        records::readRecords(scratch.path, set, error);
        const records::ClassReport report = records::makeReport(set, {});
        benchmark::DoNotOptimize(records::reportHtml(report, {}, lvl::Language::Polish, "2025-03-20"));
        benchmark::DoNotOptimize(records::reportCsv(report));
        sums = report.sums.size();
    }
    state.counters["sums"] = static_cast<double>(sums);
}
BENCHMARK(report_class)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace bench
