// kalkulon_solve LEVEL_FILE...: finds and prints a winning route for each level file.
#include "lessons/level_binary.h"
#include "lessons/solver.h"

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kalkulon_solve LEVEL_FILE...\n");
        return 2;
    }
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        lvl::Level level;
        std::string error;
        if (!lvl::readLevelFile(argv[i], level, error)) {
            std::printf("%s: %s\n", argv[i], error.c_str());
            ++failures;
            continue;
        }
        const auto t0 = std::chrono::steady_clock::now();
        const solver::Route route = solver::solve(level);
        const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (!route.found) {
            std::printf("%s: board %d: NO ROUTE (%ld states, %.1f s)\n", argv[i], level.target, route.states, secs);
            ++failures;
            continue;
        }
        std::printf("%s: board %d: %s = %d in %zu steps (%ld states, %.1f s)\n  %s\n", argv[i], level.target,
                    route.expression.c_str(), route.result, route.steps.size(), route.states, secs,
                    solver::describe(route.steps).c_str());
    }
    return failures == 0 ? 0 : 1;
}
