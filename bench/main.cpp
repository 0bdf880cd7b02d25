// The benchmark binary: runs in a scratch folder linked to the generated game data, prints
// Google Benchmark's table (only its aggregates when there are repetitions), then the figures
// and ratios with their spread over the repetitions: minimum, median and maximum. A ratio is
// taken per repetition, so with --benchmark_enable_random_interleaving the two frames of a
// ratio were timed close together. Times are CPU time (on a busy machine wall time also counts
// the waits for a processor), but for the start-up, timed by hand; targets are judged on the
// medians.
#include "bench/scene.h"
#include "game_folder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Seconds per iteration of each repetition, in repetition order.
using Times = std::vector<double>;

// A run that gave no figures: it failed (SkipWithError) or was skipped. Google Benchmark 1.8
// replaced the run's error_occurred with skipped; both are understood.
template <class Run>
bool withoutFigures(const Run& run) {
    if constexpr (requires { run.skipped; }) return static_cast<bool>(run.skipped);
    else return run.error_occurred;
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    using benchmark::ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override {
        std::vector<Run> shown;
        for (const Run& run : runs) {
            if (withoutFigures(run)) continue;
            if (run.run_type == Run::RT_Aggregate) {
                shown.push_back(run);
                continue;
            }
            const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
            // The start-up is timed by hand (its set-up and tear-down are not part of it).
            times_[run.run_name.function_name].push_back(
                (run.run_name.time_type == "manual_time" ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime()) / unit);
            if (run.repetitions <= 1) shown.push_back(run);
        }
        if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
    }

    const Times& time(const std::string& name) const {
        static const Times none;
        const auto it = times_.find(name);
        return it != times_.end() ? it->second : none;
    }

private:
    std::map<std::string, Times> times_;
};

std::string machineName() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line))
        if (line.rfind("model name", 0) == 0) {
            const auto colon = line.find(':');
            return colon == std::string::npos ? line : line.substr(colon + 2);
        }
    return "unknown processor";
}

std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

struct Spread {
    double min = 0;
    double median = 0;
    double max = 0;
};

Spread spread(Times values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return {values.front(), n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2, values.back()};
}

void printSummary(const RatioReporter& r) {
    bool headed = false;
    const auto row = [&](const char* what, const Spread& s, const char* unit, double target, const char* targetText) {
        if (!headed) {
            std::printf(
                "\nSummary (%s, %ld cores; load average %s; built as %s; CPU time per iteration, min / "
                "median / max over the repetitions (start-up: wall time); targets judged on the median):\n",
                machineName().c_str(), sysconf(_SC_NPROCESSORS_ONLN), loadAverage().c_str(), KALKULON_BUILD);
            std::printf("| measure | min | median | max | target | met |\n|---|---|---|---|---|---|\n");
            headed = true;
        }
        std::printf("| %s | %.3g%s | %.3g%s | %.3g%s | %s | %s |\n", what, s.min, unit, s.median, unit, s.max, unit, targetText,
                    *targetText == '-'   ? "-"
                    : s.median <= target ? "yes"
                                         : "NO");
    };
    const auto timing = [&](const char* name, const char* unit, double scale, double target, const char* targetText) {
        Times t = r.time(name);
        if (t.empty()) return;
        for (double& v : t) v *= scale;
        row(name, spread(t), unit, target, targetText);
    };
    const auto ratio = [&](const char* what, const char* a, const char* b, double target, const char* targetText) {
        const Times& ta = r.time(a);
        const Times& tb = r.time(b);
        Times ratios;
        for (std::size_t i = 0; i < std::min(ta.size(), tb.size()); ++i)
            if (tb[i] > 0) ratios.push_back(ta[i] / tb[i]);
        if (!ratios.empty()) row(what, spread(ratios), "", target, targetText);
    };
    ratio("our frame / SDL's frame", "compose_play_frame", "compose_play_frame_sdl", 1.0, "<= 1.0");
    ratio("our frame / memcpy floor", "compose_play_frame", "memcpy_frame", 4.0, "<= 4");
    ratio("story frame / play frame", "story_frame", "compose_play_frame", 1.5, "<= 1.5");
    timing("compose_play_frame", " us", 1e6, 1e9, "-");
    timing("compose_play_frame_sdl", " us", 1e6, 1e9, "-");
    timing("memcpy_frame", " us", 1e6, 1e9, "-");
    timing("story_frame", " us", 1e6, 1e9, "-");
    timing("scale_whole_frame", " ms", 1e3, 1e9, "-");
    timing("scale_play_step", " us", 1e6, 1e9, "-");
    timing("level_load", " ms", 1e3, 30, "< 30 ms");
    timing("startup_to_title", " ms", 1e3, 200, "< 200 ms");
}

}  // namespace

int main(int argc, char** argv) {
    // Large blocks always come fresh from the system, as in the game's own process: otherwise
    // the allocator, having seen large blocks freed, keeps them, and whatever runs after the
    // benchmarks that free them (the start-up above all) finds its memory already mapped.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const replay::GameFolder folder(bench::gameDataDir());
    if (!folder.ok()) {
        std::fprintf(stderr, "kalkulon bench: no game data in %s (build the game_data target)\n", bench::gameDataDir().c_str());
        return 2;
    }
    RatioReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                                 : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter);
    benchmark::Shutdown();
    return 0;
}
