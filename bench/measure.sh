#!/usr/bin/env bash
# Takes every figure of the speed table: the benchmark medians, the peak memory of a whole
# headless game, the CPU share of the real game left inactive for 10 s (dummy video driver: no
# window ever gets the focus), and its CPU share and present rate while active for 10 s under
# Xvfb (no window manager: the full-screen window has the focus).
# Usage: bench/measure.sh [build folder]; the folder holds a Release build of the targets
# kalkulon, kalkulon_bench, kalkulon_whole_game and kalkulon_present_counter.
set -euo pipefail
build=$(cd "${1:-build-bench}" && pwd)
seconds=${KALKULON_MEASURE_SECONDS:-10}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/game"
for part in gfx level music; do ln -s "$build/game/$part" "$scratch/game/$part"; done
counter="$build/bench/libkalkulon_present_counter.so"

echo "== machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2-), $(nproc) cores; $(uptime)"

echo "== benchmarks (medians of 5 repetitions)"
"$build/bench/kalkulon_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

echo "== a whole headless game"
/usr/bin/time -f '%M' -o "$scratch/rss" "$build/bench/kalkulon_whole_game"

echo "== the real game, inactive, ${seconds} s (dummy video driver)"
(cd "$scratch/game" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy KALKULON_PRESENT_LOG="$scratch/presents-inactive" \
    /usr/bin/time -f '%U %S %e' -o "$scratch/inactive" \
    timeout -s TERM "$seconds" env LD_PRELOAD="$counter" "$build/game/kalkulon" >/dev/null 2>&1 || true)

echo "== the real game, active, ${seconds} s (Xvfb)"
(cd "$scratch/game" && SDL_AUDIODRIVER=dummy KALKULON_PRESENT_LOG="$scratch/presents-active" \
    xvfb-run -a -s '-screen 0 1280x960x24' /usr/bin/time -f '%U %S %e' -o "$scratch/active" \
    timeout -s TERM "$seconds" env LD_PRELOAD="$counter" "$build/game/kalkulon" >/dev/null 2>&1 || true)

share() { tail -1 "$1" | awk '{printf "%.1f %% of a core (user %s s + sys %s s over %s s)", 100 * ($1 + $2) / $3, $1, $2, $3}'; }
presents() { if [ -s "$1" ]; then cat "$1"; else echo "presents 0"; fi; }
echo
echo "| measure | value | target |"
echo "|---|---|---|"
echo "| peak memory of a whole headless game | $(awk '{printf "%.1f MB", $1 / 1024}' "$scratch/rss") | < 64 MB |"
echo "| inactive for ${seconds} s, start-up included | $(share "$scratch/inactive") | < 2 % |"
echo "| inactive: $(presents "$scratch/presents-inactive") | | the loading text only |"
echo "| active for ${seconds} s | $(share "$scratch/active") | well below 100 % |"
echo "| active: $(presents "$scratch/presents-active") | | about one per refresh |"
