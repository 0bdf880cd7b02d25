// Preloaded into the real game (LD_PRELOAD) to count how often it presents, on either present
// path: every SDL_RenderPresent (the renderer) and every SDL_GetWindowSurface but the first
// (the window's pixels, asked for once when the device starts and then once per present) is
// counted and passed on. At exit the count, the span from the first present to the last and
// the rate go to standard error, or to the file named by KALKULON_PRESENT_LOG.
// KALKULON_PRESENT_TIMES names a file that gets one line per present: its wall-clock time in
// milliseconds since the epoch, and 1 when the game looked at its events since the present
// before (0 marks a curtain's step: a curtain neither sleeps nor reads events).
// Needs no SDL header: only the symbols are taken over.
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Present {
    double wallMs;
    bool polled;
};

long presents = 0;
Clock::time_point first;
Clock::time_point last;
bool polledSince = true;
std::vector<Present>* times = nullptr;

template <typename F>
F real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

void count() {
    const Clock::time_point now = Clock::now();
    if (presents++ == 0) first = now;
    last = now;
    if (times == nullptr) times = new std::vector<Present>;
    const auto wall = std::chrono::system_clock::now().time_since_epoch();
    times->push_back({std::chrono::duration<double, std::milli>(wall).count(), polledSince});
    polledSince = false;
}

std::FILE* openNamed(const char* variable) {
    const char* path = std::getenv(variable);
    return path != nullptr && *path != 0 ? std::fopen(path, "w") : nullptr;
}

__attribute__((destructor)) void report() {
    if (presents == 0) return;  // a wrapper process that shares the preload
    const double span = std::chrono::duration<double>(last - first).count();
    std::FILE* log = openNamed("KALKULON_PRESENT_LOG");
    std::fprintf(log != nullptr ? log : stderr, "presents %ld over %.3f s: %.1f per second\n", presents, span,
                 presents > 1 && span > 0 ? static_cast<double>(presents - 1) / span : 0.0);
    if (log != nullptr) std::fclose(log);
    if (std::FILE* out = openNamed("KALKULON_PRESENT_TIMES"); out != nullptr) {
        for (const Present& p : *times) std::fprintf(out, "%.3f %d\n", p.wallMs, p.polled ? 1 : 0);
        std::fclose(out);
    }
}

}  // namespace

extern "C" void SDL_RenderPresent(void* renderer) {
    static const auto next = real<void (*)(void*)>("SDL_RenderPresent");
    count();
    if (next != nullptr) next(renderer);
}

extern "C" void* SDL_GetWindowSurface(void* window) {
    static const auto next = real<void* (*)(void*)>("SDL_GetWindowSurface");
    static bool started = false;
    if (started) count();
    started = true;
    return next != nullptr ? next(window) : nullptr;
}

extern "C" int SDL_PollEvent(void* event) {
    static const auto next = real<int (*)(void*)>("SDL_PollEvent");
    polledSince = true;
    return next != nullptr ? next(event) : 0;
}
