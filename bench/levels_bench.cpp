// The lesson tools' speed: the whole check of one level (every token reachable, the trap
// finder, a winning route) on the game's largest level sources, the trap finder alone, and a
// whole practice pack of seven proven levels. One core each.
#include "lessons/pack.h"
#include "lessons/practice.h"
#include "lessons/proof.h"
#include "lessons/traps.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

lvl::LevelSource builtIn(int n) {
    const std::string file = std::string(KALKULON_SOURCE_DIR) + "/tools/levels/level" + std::to_string(n) + ".txt";
    std::ifstream in(file);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    lvl::LevelSource source;
    std::vector<lvl::Problem> problems;
    lvl::readLevelText(text, file, nullptr, source, problems);
    return source;
}

void check_level(benchmark::State& state) {
    const lvl::LevelSource source = builtIn(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::vector<lvl::Problem> problems;
        const solver::Proof proof = solver::proveLevel(source, "level.txt", problems);
        if (!proof.fair) state.SkipWithError("the level is not fair");
        state.counters["places"] = static_cast<double>(proof.places);
    }
}
BENCHMARK(check_level)->Arg(2)->Arg(7)->Unit(benchmark::kMillisecond);

void trap_finder(benchmark::State& state) {
    const lvl::LevelSource source = builtIn(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(solver::findTraps(source.level));
}
BENCHMARK(trap_finder)->Arg(7)->Unit(benchmark::kMillisecond);

void practice_pack(benchmark::State& state, const char* facts) {
    lvl::Installed installed;
    lvl::Text error;
    lessons::FactSpec spec;
    if (!lvl::findInstalled(KALKULON_GAME_DIR, installed, error) || !lessons::parseFacts(facts, spec, error)) {
        state.SkipWithError("no game data");
        return;
    }
    std::uint64_t seed = 1;
    for (auto _ : state) {
        lessons::PracticePack pack;
        if (!lessons::makePracticePack(spec, seed++, installed.scenery, pack, error)) state.SkipWithError("no pack");
    }
}
BENCHMARK_CAPTURE(practice_pack, times_2_5_10, "2,5,10")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(practice_pack, order, "order")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(practice_pack, add20, "add20")->Unit(benchmark::kMillisecond);

}  // namespace
