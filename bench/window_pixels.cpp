// Presenting without a graphics driver: the busiest play frame (no menu over it) scaled on our side into the
// pixels of a 1920 x 1080 window, whole (a new screen, or a window that changed size) and as a
// present of play does it (the frame compared with the one shown before, and only the changed
// cells scaled: here the figure one step further).
#include "bench/scene.h"
#include "platform/frame_scaler.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace bench {
namespace {

constexpr int kWindowWidth = 1920;
constexpr int kWindowHeight = 1080;

std::vector<std::uint16_t> copyOf(const Surface& s) {
    std::vector<std::uint16_t> pixels(640 * 480);
    for (int y = 0; y < 480; ++y)
        std::copy_n(s.pixels() + static_cast<std::ptrdiff_t>(y) * s.pitch(), 640, pixels.begin() + y * 640);
    return pixels;
}

struct TwoFrames {
    std::vector<std::uint16_t> before;
    std::vector<std::uint16_t> after;
    TwoFrames() {
        Scene scene;
        scene.fillBusyLevel();
        scene.app->drawLevelAndHud(60);
        before = copyOf(*scene.app->display.backBuffer);
        scene.world->playerX -= 2;  // one step of the walk
        scene.app->drawLevelAndHud(60);
        after = copyOf(*scene.app->display.backBuffer);
    }
};

void scale_whole_frame(benchmark::State& state) {
    const TwoFrames frames;
    const auto colours = plat::windowColours(16, 8, 0, 0);
    std::vector<std::uint32_t> window(kWindowWidth * kWindowHeight);
    plat::FrameScaler scaler(kWindowWidth, kWindowHeight, 640, 480);
    for (auto _ : state) {
        scaler.drawBars(window.data(), kWindowWidth, colours[0]);
        scaler.draw(frames.after.data(), 640, {0, 0, 640, 480}, colours.data(), window.data(), kWindowWidth);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(scale_whole_frame)->Unit(benchmark::kMicrosecond);

void scale_play_step(benchmark::State& state) {
    const TwoFrames frames;
    const auto colours = plat::windowColours(16, 8, 0, 0);
    std::vector<std::uint32_t> window(kWindowWidth * kWindowHeight);
    plat::FrameScaler scaler(kWindowWidth, kWindowHeight, 640, 480);
    scaler.present(frames.before.data(), 640, colours.data(), window.data(), kWindowWidth, true);
    std::size_t pixels = 0;
    bool forth = true;
    for (auto _ : state) {
        // The two frames in turn: each present finds the step between them changed.
        const auto& frame = forth ? frames.after : frames.before;
        forth = !forth;
        pixels = 0;
        for (const auto& a : scaler.present(frame.data(), 640, colours.data(), window.data(), kWindowWidth, false))
            pixels += static_cast<std::size_t>(a.width) * static_cast<std::size_t>(a.height);
        benchmark::ClobberMemory();
    }
    state.counters["window_px"] = static_cast<double>(pixels);
}
BENCHMARK(scale_play_step)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace bench
