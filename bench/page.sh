#!/usr/bin/env bash
# Two builds of the browser's folder (scripts/web OUT_DIR) compared in one run in headless
# Chromium: the frames a second and the processor on the title, the curtains' wall time.
# Usage: bench/page.sh BEFORE_DIR AFTER_DIR [RUNS] [SECONDS]
#   RUNS sessions of each (3), SECONDS measured on the title (4); PORT and PORT + 1 serve the
#   two folders (8260). playwright-core comes from the npm folder of scripts/web-test
#   ($WEB_BUILD/npm, build-web/npm).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
npm_folder=$(cd "${WEB_BUILD:-$here/../build-web}/npm" && pwd)
port=${PORT:-8260}
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$1" >/dev/null 2>&1 &
before=$!
python3 -m http.server $((port + 1)) --bind 127.0.0.1 --directory "$2" >/dev/null 2>&1 &
after=$!
trap 'kill $before $after' EXIT
sleep 1
cp "$here/page.mjs" "$npm_folder/bench_page.mjs"
echo "== $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores;" \
     "load average $(cut -d' ' -f1-3 /proc/loadavg); $(chromium --version 2>/dev/null)"
node "$npm_folder/bench_page.mjs" "${3:-3}" "${4:-4}" "before=http://127.0.0.1:$port/" "after=http://127.0.0.1:$((port + 1))/"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
