#!/bin/sh
# The teacher's report as a real browser shows it: Debian's Chromium, headless, loads the page
# made from a few records with no console message, and finds its charts there. Skipped (exit 77)
# where chromium is not installed.
#   tests/records/report_renders.sh KALKULON-LEVELS
set -eu
tool=$1
command -v chromium >/dev/null 2>&1 || { echo "chromium is not installed: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/records"
line='{"v":1,"kind":"sum","time":"2025-03-10T09:00:00+01:00","child":"<Ola>","pack":"","level":1,'
printf '%s\n' "$line"'"sum":"3*4","board":13,"value":12,"right":false,"seconds":9.5,"lives":3}' \
  "$line"'"sum":"2*6","board":12,"value":12,"right":true,"seconds":7.0,"lives":3}' > "$work/records/a.jsonl"
"$tool" report "$work" --out "$work/report.html" >/dev/null
timeout 120 chromium --headless --no-sandbox --disable-gpu --enable-logging=stderr --v=0 \
  --dump-dom "file://$work/report.html" >"$work/dom.html" 2>"$work/log.txt" || true
if grep ':CONSOLE' "$work/log.txt"; then echo "the page wrote to the console" >&2; exit 1; fi
charts=$(grep -o '<svg' "$work/dom.html" | wc -l)
bars=$(grep -o '<rect' "$work/dom.html" | wc -l)
if [ "$charts" -ne 3 ] || [ "$bars" -lt 5 ]; then
  echo "the browser found $charts charts and $bars bars, not 3 charts with their bars" >&2
  exit 1
fi
grep -q '&lt;Ola&gt;' "$work/dom.html" || { echo "the child's name is not shown as text" >&2; exit 1; }
echo "the report renders: $charts charts, $bars bars, no console message"
