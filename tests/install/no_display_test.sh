#!/usr/bin/env bash
# The real game started with no desktop at all (no DISPLAY, no WAYLAND_DISPLAY, no video driver
# asked for): it must stop at once (well within 5 s, also built with the sanitizers on a busy
# machine, where a second was seen to pass) with a non-zero code, say why in one line on
# standard error and nowhere else. It runs in a folder that has the game's data, where its trace
# goes.
set -euo pipefail
game=${1:?usage: no_display_test.sh GAME_BINARY}
work=$(mktemp -d "${TMPDIR:-/tmp}/kalkulon-no-display.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
for part in gfx level music; do ln -s "$(dirname "$game")/$part" "$part"; done
start=$(date +%s%N)
code=0
env -i HOME="$work" PATH=/usr/bin:/bin timeout 10 "$game" 2>"$work/stderr" >/dev/null || code=$?
ms=$((($(date +%s%N) - start) / 1000000))

fail() { echo "FAIL: $*"; cat "$work/stderr"; exit 1; }
[ "$code" -ne 0 ] || fail "exit code 0"
[ "$code" -ne 124 ] || fail "still running after 10 s"
[ "$ms" -lt 5000 ] || fail "took $ms ms: it waits for something instead of stopping"
# The libraries' remarks (libwayland's about XDG_RUNTIME_DIR) are not shown: the game's line is the only one.
lines=$(wc -l <"$work/stderr")
[ "$lines" = 1 ] && grep -q '^kalkulon: ' "$work/stderr" || fail "$lines lines on standard error, not the game's one"
grep -q '^kalkulon: the game needs a graphical desktop.*DISPLAY and WAYLAND_DISPLAY are not set.*scripts/test$' \
  "$work/stderr" || fail "the line does not say what is missing and how the tests run"
! grep -qs 'desktop\|DISPLAY' debug.txt || fail "the reason went into debug.txt"
echo "exit $code after $ms ms: $(grep '^kalkulon: ' "$work/stderr")"
