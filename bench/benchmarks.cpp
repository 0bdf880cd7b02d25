// The frame, the SDL blitter's frame, the memory floor, the story frame, the level load and the
// start-up, each on a fresh headless machine.
#include "bench/reference_frame.h"
#include "bench/scene.h"
#include "shell/host.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

namespace bench {
namespace {

void compose_play_frame(benchmark::State& state) {
    Scene scene;
    scene.fillBusyLevel();
    composePauseFrame(*scene.app);  // the texts are rendered once, as in the game's first frame
    for (auto _ : state) {
        composePauseFrame(*scene.app);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(compose_play_frame)->Unit(benchmark::kMicrosecond);

// The same frame through SDL_BlitSurface, SDL_BlitScaled and SDL_FillRect. The counters say
// how close the two frames are: only anti-aliased text may differ (off_text_px 0), by SDL's
// rounding of the blend.
void compose_play_frame_sdl(benchmark::State& state) {
    Scene scene;
    scene.fillBusyLevel();
    composePauseFrame(*scene.app);
    ReferenceFrame reference(scene.app->display, *scene.world, plat::cursorPos());
    const int refused = reference.compose();
    const Surface& ours = *scene.app->display.backBuffer;
    const FrameDifference difference = compareFrames(ours.pixels(), ours.pitch(), reference);
    state.counters["steps"] = static_cast<double>(reference.stepCount());
    state.counters["refused"] = refused;
    state.counters["differing_px"] = static_cast<double>(difference.pixels);
    state.counters["off_text_px"] = static_cast<double>(difference.outsideText);
    state.counters["largest_step"] = difference.largestStep;
    for (auto _ : state) {
        reference.compose();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(compose_play_frame_sdl)->Unit(benchmark::kMicrosecond);

// The floor: a frame's worth of bytes copied twice (the background into the back buffer, the
// back buffer out to the screen). No composition can move less.
void memcpy_frame(benchmark::State& state) {
    constexpr std::size_t kBytes = 640 * 480 * 2;
    std::vector<std::uint16_t> background(kBytes / 2, 0x1234);
    std::vector<std::uint16_t> back(kBytes / 2);
    std::vector<std::uint16_t> front(kBytes / 2);
    for (auto _ : state) {
        std::memcpy(back.data(), background.data(), kBytes);
        std::memcpy(front.data(), back.data(), kBytes);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(front.data());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 2 * static_cast<std::int64_t>(kBytes));
}
BENCHMARK(memcpy_frame)->Unit(benchmark::kMicrosecond);

// The play frame with the story box and its seven shadowed lines over it.
void story_frame(benchmark::State& state) {
    Scene scene;
    scene.fillBusyLevel();
    composeStoryFrame(*scene.app);
    for (auto _ : state) {
        composeStoryFrame(*scene.app);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(story_frame)->Unit(benchmark::kMicrosecond);

// Level 7 from its file: header, grid, 30 token records, every trace line, and its two
// pictures decoded onto their surfaces.
void level_load(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) scene.app->loadLevel(7);
}
BENCHMARK(level_load)->Unit(benchmark::kMillisecond);

// A new game's run up to the moment its first title frame has been flipped: window,
// display, music, the loading text, both sprite sheets and the title picture, the keyboard,
// the high-score file, the first title frame.
void startup_to_title(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        plat::headless::reset();
        plat::headless::setTimeStep(1);
        auto app = std::make_unique<Game>(ErrorReporter(kTraceFile));
        Clock::time_point start;
        double seconds = -1;
        plat::headless::setPollHook([&] {
            if (seconds < 0 && plat::headless::flipCount() >= 2) {  // the loading text, then the title
                seconds = std::chrono::duration<double>(Clock::now() - start).count();
                plat::headless::postSystemClose();
            }
        });
        start = Clock::now();
        const int code = runGame(*app);
        plat::headless::setPollHook(nullptr);
        if (code != 0 || seconds < 0) state.SkipWithError("the game did not reach its title");
        state.SetIterationTime(seconds < 0 ? 0 : seconds);
        app.reset();
        plat::headless::reset();
    }
}
BENCHMARK(startup_to_title)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace
}  // namespace bench
