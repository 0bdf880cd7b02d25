#!/usr/bin/env bash
# Takes every figure of the speed table, each with its spread (min / median / max) where it is
# taken more than once, and says on what machine and under what load:
# - the benchmarks, 5 repetitions interleaved (their ratios and spreads come from kalkulon_bench),
#   and those of the lesson tools;
# - the peak memory of a whole headless game;
# - the CPU share of the real game left inactive for 10 s (dummy video driver: no window ever
#   gets the focus);
# - sessions of the real game under Xvfb at 1920 x 1080 (bench/session.sh), the renderer path
#   and the window-pixels path taking turns, with the largest picture the game accepts
#   (1280 x 960, 32 bits) in every picture file: start-up, CPU and presents on the title and
#   while playing, peak memory, the curtains' steps.
# Usage: bench/measure.sh [build folder]; the folder holds a Release build of the targets
# kalkulon, kalkulon_bench, kalkulon_whole_game and kalkulon_present_counter. Needs xvfb-run,
# xdotool and imagemagick's convert. KALKULON_MEASURE_RUNS sets the sessions per path (3),
# KALKULON_MEASURE_SECONDS the seconds of play in each (6) and of the inactive run (10);
# KALKULON_MEASURE_DISPLAY a display number for Xvfb (else the first free one).
set -euo pipefail
build=$(cd "${1:-build-bench}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
runs=${KALKULON_MEASURE_RUNS:-3}
play=${KALKULON_MEASURE_SECONDS:-6}
inactive=${KALKULON_MEASURE_SECONDS:-10}
xvfb() {
  local n=${KALKULON_MEASURE_DISPLAY:-}
  [ -z "$n" ] && { xvfb-run -a "$@"; return; }
  for _ in $(seq 50); do [ -e "/tmp/.X$n-lock" ] || break; sleep 0.1; done  # the last one gone
  xvfb-run -n "$n" "$@"
}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/game"
for part in gfx level music; do ln -s "$build/game/$part" "$scratch/game/$part"; done
counter="$build/bench/libkalkulon_present_counter.so"

machine() { echo "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores"; }
load() { cut -d' ' -f1-3 /proc/loadavg; }
loadBefore=$(load)
echo "== machine: $(machine); load average $loadBefore (1, 5, 15 min)"

# The lesson tools have a table of their own (bench/README.md): they run apart, three times.
tools='check_level|trap_finder|practice_pack'
echo "== benchmarks of the game (5 repetitions, interleaved)"
"$build/bench/kalkulon_bench" --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
    --benchmark_filter="-$tools"
echo "== benchmarks of the lesson tools (3 repetitions)"
"$build/bench/kalkulon_bench" --benchmark_repetitions=3 --benchmark_filter="$tools"

echo "== a whole headless game"
/usr/bin/time -f '%M' -o "$scratch/rss" "$build/bench/kalkulon_whole_game"

echo "== the real game, inactive, ${inactive} s (dummy video driver)"
(cd "$scratch/game" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy KALKULON_PRESENT_LOG="$scratch/presents-inactive" \
    /usr/bin/time -f '%U %S %e' -o "$scratch/inactive" \
    timeout -s TERM "$inactive" env LD_PRELOAD="$counter" "$build/game/kalkulon" >/dev/null 2>&1 || true)

echo "== the real game under Xvfb at 1920 x 1080, ${runs} sessions a path, the largest pictures"
mkdir -p "$scratch/big/gfx"
for f in "$build/game/gfx/"*.bmp; do
  convert "$f" -filter point -resize '1280x960!' -alpha set -define bmp:format=bmp4 "BMP:$scratch/big/gfx/${f##*/}"
done
for part in level music kalkulon; do ln -s "$build/game/$part" "$scratch/big/$part"; done
for run in $(seq "$runs"); do
  for path in renderer window; do
    xvfb -s '-screen 0 1920x1080x24 -nolisten tcp' \
      "$here/session.sh" "$scratch/big" "$counter" "$path" "$play" | tee -a "$scratch/session-$path" | sed "s/^/$path $run: /"
  done
done
echo "load average after the sessions: $(load)"

share() { tail -1 "$1" | awk '{printf "%.1f %% of a core (user %s s + sys %s s over %s s)", 100 * ($1 + $2) / $3, $1, $2, $3}'; }
presents() { if [ -s "$1" ]; then cat "$1"; else echo "presents 0"; fi; }
# min / median / max of column $2 of file $1 (times $3, if given)
spread() {
  awk -v c="$2" -v f="${3:-1}" '{print $c * f}' "$1" | sort -g |
    awk '{v[NR] = $1} END {printf "%.3g / %.3g / %.3g", v[1], NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, v[NR]}'
}
# A session's line has 10 columns (bench/session.sh): pasted, the renderer's start at column 11.
paste -d' ' "$scratch/session-window" "$scratch/session-renderer" | awk '{print $4 / $14}' >"$scratch/play-ratio"
paste -d' ' "$scratch/session-window" "$scratch/session-renderer" | awk '{print $2 / $12}' >"$scratch/title-ratio"
both() { echo "| $1 | $(spread "$scratch/session-renderer" "$2" "${4:-1}") | $(spread "$scratch/session-window" "$2" "${4:-1}") | $3 |"; }

echo
echo "$(machine); load average $loadBefore at the start, $(load) at the end."
echo
echo "| measure | value | target |"
echo "|---|---|---|"
echo "| peak memory of a whole headless game | $(awk '{printf "%.1f MB", $1 / 1024}' "$scratch/rss") | < 64 MB |"
echo "| inactive for ${inactive} s, start-up included | $(share "$scratch/inactive") | < 2 % |"
echo "| inactive: $(presents "$scratch/presents-inactive") | | the loading text only |"
echo
echo "The real game at 1920 x 1080 under Xvfb, min / median / max over ${runs} sessions a path:"
echo
echo "| measure | renderer (KALKULON_PRESENT=renderer) | window pixels (KALKULON_PRESENT=window) | target |"
echo "|---|---|---|---|"
echo "| window / renderer CPU while playing | | $(spread "$scratch/play-ratio" 1) | <= 0.33 |"
echo "| window / renderer CPU on the title | | $(spread "$scratch/title-ratio" 1) | |"
both "CPU while playing, % of a core" 4 "<= 15 % (window pixels)"
both "presents a second while playing" 5 "60"
both "CPU on the title, % of a core" 2 ""
both "CPU during the curtains of a new game, % of a core" 10 "<= 15 %"
both "presents a second on the title" 3 "60"
both "curtain step, median ms" 8 "12"
both "curtain step, longest ms" 9 "12 on an idle machine"
both "curtain steps counted" 7 "318 (two curtains)"
both "start-up to the first title frame, ms" 1 "< 500"
both "peak memory, MB" 6 "< 100" 0.0009765625
