// The benchmark binary: runs in a scratch folder linked to the generated game data, prints
// Google Benchmark's table, then the ratios and targets taken from the medians (or from the
// single runs when no repetitions were asked for).
#include "bench/scene.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

namespace {

// Wall and CPU seconds per iteration.
struct Times {
    double wall = -1;
    double cpu = -1;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    using benchmark::ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const std::string name = run.run_name.function_name;
            const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
            const Times t{run.GetAdjustedRealTime() / unit, run.GetAdjustedCPUTime() / unit};
            if (run.run_type == Run::RT_Aggregate) {
                if (run.aggregate_name == "median") medians_[name] = t;
            } else {
                singles_[name] = t;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // The median when there is one.
    Times time(const std::string& name) const {
        if (auto it = medians_.find(name); it != medians_.end()) return it->second;
        if (auto it = singles_.find(name); it != singles_.end()) return it->second;
        return {};
    }
    bool haveMedians() const { return !medians_.empty(); }

private:
    std::map<std::string, Times> medians_;
    std::map<std::string, Times> singles_;
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

void printSummary(const RatioReporter& r) {
    const Times play = r.time("compose_play_frame");
    const Times sdl = r.time("compose_play_frame_sdl");
    const Times floor = r.time("memcpy_frame");
    const Times story = r.time("story_frame");
    const Times level = r.time("level_load");
    const Times startup = r.time("startup_to_title");
    std::printf("\nSummary (%s; %s, %ld cores; targets judged on wall time):\n",
                r.haveMedians() ? "medians" : "single runs", machineName().c_str(), sysconf(_SC_NPROCESSORS_ONLN));
    std::printf("| measure | wall | CPU | target | met |\n|---|---|---|---|---|\n");
    const auto row = [](const char* what, Times t, const char* unit, double scale, double target,
                        const char* targetText) {
        if (t.wall < 0) return;
        std::printf("| %s | %.3g %s | %.3g %s | %s | %s |\n", what, t.wall * scale, unit, t.cpu * scale, unit,
                    targetText, t.wall <= target ? "yes" : "NO");
    };
    const auto ratio = [](const char* what, Times a, Times b, double target, const char* targetText) {
        if (a.wall < 0 || b.wall <= 0 || b.cpu <= 0) return;
        std::printf("| %s | %.2f | %.2f | %s | %s |\n", what, a.wall / b.wall, a.cpu / b.cpu, targetText,
                    a.wall / b.wall <= target ? "yes" : "NO");
    };
    row("compose_play_frame", play, "us", 1e6, 1e9, "-");
    row("compose_play_frame_sdl", sdl, "us", 1e6, 1e9, "-");
    row("memcpy_frame", floor, "us", 1e6, 1e9, "-");
    row("story_frame", story, "us", 1e6, 1e9, "-");
    ratio("our frame / SDL's frame", play, sdl, 1.0, "<= 1.0");
    ratio("our frame / memcpy floor", play, floor, 4.0, "<= 4");
    ratio("story frame / play frame", story, play, 1.5, "<= 1.5");
    row("level_load (level 7)", level, "ms", 1e3, 0.030, "< 30 ms");
    row("startup_to_title", startup, "ms", 1e3, 0.200, "< 200 ms");
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::GameFolder folder(bench::gameDataDir());
    RatioReporter reporter(isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                                 : benchmark::ConsoleReporter::OO_Tabular);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter);
    benchmark::Shutdown();
    return 0;
}
