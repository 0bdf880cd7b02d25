#!/usr/bin/env bash
# One session of the real game on the X server of $DISPLAY (no window manager: the full-screen
# window has the focus), played through xdotool: the title for a while, "new game" (a curtain
# out, the level loaded, a curtain in), the story box's button, then walking and jumping. The
# present counter is preloaded. Prints one line of figures:
#   start-up ms (launch to the first title frame), title CPU % of a core, title presents/s,
#   play CPU %, play presents/s, peak resident kB, curtain steps, their median and longest ms,
#   CPU % during the curtains of the new game (the first 3.5 s after the click)
# CPU is the whole process (every thread) from /proc, over the stretch measured.
# Usage: bench/session.sh GAME_FOLDER COUNTER_LIBRARY renderer|window SECONDS
set -euo pipefail
game=$1 counter=$2 path=$3 seconds=$4
scratch=$(mktemp -d)
pid=
finish() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  [ -n "${KALKULON_SESSION_KEEP:-}" ] && cp "$scratch/times" "$KALKULON_SESSION_KEEP"; rm -rf "$scratch"
}
trap finish EXIT

now() { date +%s%3N; }  # wall clock, milliseconds: the counter's clock
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)

start=$(now)
(cd "$game" && exec env KALKULON_PRESENT="$path" SDL_AUDIODRIVER=dummy KALKULON_PRESENT_TIMES="$scratch/times" \
    LD_PRELOAD="$counter" ./kalkulon >"$scratch/out" 2>&1) &
pid=$!
timeout 20 xdotool search --sync --onlyvisible --name '^Kalkulon$' >/dev/null || {
  echo "session: no game window within 20 s" >&2; cat "$scratch/out" >&2; exit 1; }
read -r width height < <(xdotool getdisplaygeometry)
# Frame position -> screen position: the frame fitted to the screen, aspect kept.
click() {
  local sx sy
  read -r sx sy < <(awk -v fx="$1" -v fy="$2" -v W="$width" -v H="$height" 'BEGIN {
    s = W / 640; if (H / 480 < s) s = H / 480
    printf "%d %d\n", (W - 640 * s) / 2 + (fx + 0.5) * s, (H - 480 * s) / 2 + (fy + 0.5) * s }')
  xdotool mousemove "$sx" "$sy"; sleep 0.2
  xdotool mousemove "$((sx + 1))" "$sy"; sleep 0.2   # the frame under the mouse lights the button
  clicked=$(now)
  xdotool click 1
}
# CPU share and presents per second over $1 seconds of what runs now.
measure() {
  local t0 c0 t1 c1
  t0=$(now); c0=$(ticks); sleep "$1"; t1=$(now); c1=$(ticks)
  echo "$t0 $t1 $(awk -v c="$((c1 - c0))" -v hz="$hz" -v ms="$((t1 - t0))" 'BEGIN {printf "%.1f", 100 * c / hz / (ms / 1000)}')"
}

sleep 2
read -r title0 title1 titleCpu < <(measure 3)
click 328 168        # NOWA GRA: curtain out, level 1, curtain in, the story box
read -r _ _ curtainCpu < <(measure 3.5)  # two curtains of 160 cells at 12 ms: 3.84 s
sleep 3.5
click 320 275        # the story box's button (a click during a curtain would be lost: checked below)
story=$clicked
sleep 0.5
xdotool keydown Right keydown Up
read -r play0 mid playCpuA < <(measure "$(awk -v s="$seconds" 'BEGIN {print s / 2}')")
xdotool keyup Right keydown Left
read -r mid play1 playCpuB < <(measure "$(awk -v s="$seconds" 'BEGIN {print s / 2}')")
xdotool keyup Left keyup Up
peak=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
kill -TERM "$pid"; wait "$pid" 2>/dev/null || true; pid=

[ -s "$scratch/times" ] || { echo "session: no presents counted" >&2; cat "$scratch/out" >&2; exit 1; }
# A curtain is 160 presents with no look at the events between them; in one run of such
# presents the first curtain's steps are the first 159, the second's the last 159 (what lies
# between is the level's loading or drawing).
awk -v start="$start" -v story="$story" -v t0="$title0" -v t1="$title1" -v p0="$play0" -v p1="$play1" \
    -v titleCpu="$titleCpu" -v playCpu="$(awk -v a="$playCpuA" -v b="$playCpuB" 'BEGIN {print (a + b) / 2}')" \
    -v peak="$peak" -v curtainCpu="$curtainCpu" '
  function flush(   i) {
    if (run >= 318) { for (i = 1; i <= 159; i++) step[++steps] = gap[i]; for (i = run - 158; i <= run; i++) step[++steps] = gap[i] }
    else if (run == 159) { for (i = 1; i <= 159; i++) step[++steps] = gap[i] }
    run = 0
  }
  {
    if (NR == 2) title = $1 - start
    if ($1 >= t0 && $1 < t1) inTitle++
    if ($1 >= p0 && $1 < p1) inPlay++
    if ($2 == 0 && NR > 1) { gap[++run] = $1 - last; lastStep = $1 } else flush()
    last = $1
  }
  END {
    flush()
    if (lastStep > story) { print "session: the story box was clicked during a curtain; its play was not measured" > "/dev/stderr"; exit 1 }
    n = steps
    for (i = 2; i <= n; i++) { v = step[i]; for (j = i - 1; j >= 1 && step[j] > v; j--) step[j + 1] = step[j]; step[j + 1] = v }
    printf "%d %s %.1f %.1f %.1f %d %d %.1f %.1f %s\n", title, titleCpu, inTitle * 1000 / (t1 - t0), playCpu,
           inPlay * 1000 / (p1 - p0), peak, n, n ? step[int((n + 1) / 2)] : 0, n ? step[n] : 0, curtainCpu
  }' "$scratch/times"
