// Preloaded into the real game (LD_PRELOAD) to count how often it presents: every
// SDL_RenderPresent is counted and passed on, and at exit the count, the span from the first
// present to the last and the rate go to standard error, or to the file named by
// KALKULON_PRESENT_LOG. Needs no SDL header: only the symbol is taken over.
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Present = void (*)(void*);
using Clock = std::chrono::steady_clock;

long presents = 0;
Clock::time_point first;
Clock::time_point last;

__attribute__((destructor)) void report() {
    if (presents == 0) return;  // a wrapper process that shares the preload
    const double span = std::chrono::duration<double>(last - first).count();
    std::FILE* out = stderr;
    if (const char* path = std::getenv("KALKULON_PRESENT_LOG"); path != nullptr && *path != 0)
        if (std::FILE* f = std::fopen(path, "w"); f != nullptr) out = f;
    std::fprintf(out, "presents %ld over %.3f s: %.1f per second\n", presents, span,
                 presents > 1 && span > 0 ? static_cast<double>(presents - 1) / span : 0.0);
    if (out != stderr) std::fclose(out);
}

}  // namespace

extern "C" void SDL_RenderPresent(void* renderer) {
    static const auto real = reinterpret_cast<Present>(dlsym(RTLD_NEXT, "SDL_RenderPresent"));
    const Clock::time_point now = Clock::now();
    if (presents++ == 0) first = now;
    last = now;
    if (real != nullptr) real(renderer);
}
