#!/usr/bin/env bash
# A built copy of the game started by its path from a folder without the data finds the data
# beside itself and keeps its trace and high-score table there, leaving the folder it was
# started from alone; started in a folder that has the data, it plays there; with the data
# nowhere, --list-packs says where it looked. Headless: SDL's dummy video and sound drivers.
set -euo pipefail
built=${1:?usage: built_copy_test.sh GAME_FOLDER}
work=$(mktemp -d "${TMPDIR:-/tmp}/kalkulon-copy.XXXXXX")
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; cat "$work/game.log" 2>/dev/null; exit 1; }
mkdir -p "$work/copy" "$work/started-here" "$work/with-data" "$work/lone"
cp "$built/kalkulon" "$work/copy/"
cp "$built/kalkulon" "$work/lone/"
for part in gfx level music packs; do ln -s "$built/$part" "$work/copy/$part"; done
for part in gfx level music; do ln -s "$built/$part" "$work/with-data/$part"; done

# Starts the copy in folder $1 until folder $2 holds a high-score table.
play() {
  (cd "$1" && exec env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$work/copy/kalkulon") >"$work/game.log" 2>&1 &
  pid=$!
  for _ in $(seq 100); do [ -s "$2/hiscore.tbl" ] && break; kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  sleep 0.3
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

play "$work/started-here" "$work/copy"
[ -s "$work/copy/hiscore.tbl" ] || fail "no hiscore.tbl beside the copy"
grep -q "wczytanie bitmapy...gfx" "$work/copy/debug.txt" || fail "the copy did not load its pictures beside itself"
[ -z "$(ls -A "$work/started-here")" ] || fail "files left where the copy was started: $(ls -A "$work/started-here")"

play "$work/with-data" "$work/with-data"
[ -s "$work/with-data/debug.txt" ] || fail "a folder with the data is not where the game plays"

(cd "$work/started-here" && "$work/copy/kalkulon" --list-packs) | grep -q "^dodawanie-do-20 " ||
  fail "--list-packs from another folder does not find the packs beside the game"
code=0
(cd "$work/started-here" && "$work/lone/kalkulon" --list-packs) >"$work/game.log" 2>&1 || code=$?
[ "$code" = 2 ] && grep -q "^no game data: .* neither in $work/started-here nor beside the game in $work/lone; " "$work/game.log" ||
  fail "a copy without data does not say where it looked (exit $code)"
echo "a built copy finds its data beside itself from any folder"
