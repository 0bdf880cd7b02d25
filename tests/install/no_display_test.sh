#!/usr/bin/env bash
# The real game started with no desktop at all (no DISPLAY, no WAYLAND_DISPLAY, no video driver
# asked for): it must stop within a second with a non-zero code, say why in one line on
# standard error and nowhere else.
set -euo pipefail
game=${1:?usage: no_display_test.sh GAME_BINARY}
work=$(mktemp -d "${TMPDIR:-/tmp}/kalkulon-no-display.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
start=$(date +%s%N)
code=0
env -i HOME="$work" PATH=/usr/bin:/bin timeout 10 "$game" 2>"$work/stderr" >/dev/null || code=$?
ms=$((($(date +%s%N) - start) / 1000000))

fail() { echo "FAIL: $*"; cat "$work/stderr"; exit 1; }
[ "$code" -ne 0 ] || fail "exit code 0"
[ "$code" -ne 124 ] || fail "still running after 10 s"
[ "$ms" -lt 1000 ] || fail "took $ms ms"
lines=$(grep -c '^kalkulon: ' "$work/stderr" || true)
[ "$lines" = 1 ] || fail "$lines lines of its own on standard error, not one"
grep -q '^kalkulon: the game needs a graphical desktop.*DISPLAY and WAYLAND_DISPLAY are not set.*scripts/test$' \
  "$work/stderr" || fail "the line does not say what is missing and how the tests run"
! grep -qs 'desktop\|DISPLAY' debug.txt || fail "the reason went into debug.txt"
echo "exit $code after $ms ms: $(grep '^kalkulon: ' "$work/stderr")"
