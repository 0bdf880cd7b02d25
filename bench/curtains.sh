#!/usr/bin/env bash
# The processor during the curtains of a new game, two builds of the game compared in one run:
# sessions of the real game (bench/session.sh) under Xvfb, no window manager, the window-pixels
# path Xvfb gets, the generated pictures, the two builds taking turns. Prints every session's
# line, then min / median / max of each build: CPU during the curtains, CPU on the title, the
# curtain's steps.
# Usage: bench/curtains.sh BEFORE AFTER [RUNS]
#   BEFORE, AFTER  two builds of the `kalkulon` binary; RUNS sessions of each (5)
# The game data and the present counter come from the build folder $KALKULON_BUILD (build);
# KALKULON_MEASURE_DISPLAY picks the X display (else the first free one). Needs xvfb-run and
# xdotool.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${KALKULON_BUILD:-$here/../build}" && pwd)
runs=${3:-5}
counter="$build/bench/libkalkulon_present_counter.so"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for which in before after; do
  mkdir "$scratch/$which"
  for part in gfx level music; do ln -s "$build/game/$part" "$scratch/$which/$part"; done
done
cp "$1" "$scratch/before/kalkulon"
cp "$2" "$scratch/after/kalkulon"

xvfb() {
  local n=${KALKULON_MEASURE_DISPLAY:-}
  [ -z "$n" ] && { xvfb-run -a "$@"; return; }
  for _ in $(seq 50); do [ -e "/tmp/.X$n-lock" ] || break; sleep 0.1; done  # the last one gone
  xvfb-run -n "$n" "$@"
}

echo "== $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores;" \
     "load average $(cut -d' ' -f1-3 /proc/loadavg)"
for run in $(seq "$runs"); do
  for which in before after; do
    xvfb -s '-screen 0 1280x1024x24 -nolisten tcp' "$here/session.sh" "$scratch/$which" "$counter" window 2 |
      tee -a "$scratch/$which.txt" | sed "s/^/$which $run: /"
  done
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"

# min / median / max of column $2 of the sessions of $1
spread() {
  awk -v c="$2" '{print $c}' "$scratch/$1.txt" | sort -g |
    awk '{v[NR] = $1} END {printf "%.3g / %.3g / %.3g", v[1], NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, v[NR]}'
}
row() { echo "| $1 | $(spread before "$2") | $(spread after "$2") | $3 |"; }
echo
echo "| measure ($runs sessions each) | before | after | target |"
echo "|---|---|---|---|"
row "CPU during the curtains of a new game, % of a core" 10 "<= 15 %"
row "CPU on the title, % of a core" 2 "unchanged"
row "curtain step, median ms" 8 "12"
row "curtain step, longest ms" 9 ""
row "curtain steps counted" 7 "318"
