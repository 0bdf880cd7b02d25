#!/usr/bin/env bash
# Installs the game into a temporary prefix, starts the installed game headless in a fresh
# home folder, and checks that the high-score table appears in the player's data folder and
# nowhere else.
set -euo pipefail
build=${1:?usage: install_test.sh BUILD_DIR}
work=$(mktemp -d "${TMPDIR:-/tmp}/kalkulon-install.XXXXXX")
trap 'kill "${pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/kalkulon bin/kalkulon-levels share/man/man1/kalkulon-levels.1 share/kalkulon/packs/dodawanie-do-20/level7.txt \
         share/kalkulon/packs/tabliczka-2-5-10/pack.txt lib/kalkulon/kalkulon share/kalkulon/level/level1.lvl share/kalkulon/gfx/butony.bmp \
         share/kalkulon/music/3dparadise.mod share/applications/kalkulon.desktop \
         share/metainfo/org.kalkulon.Kalkulon.metainfo.xml share/icons/hicolor/scalable/apps/kalkulon.svg; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/kalkulon.desktop"
fi

home="$work/home"
mkdir -p "$home" "$work/cwd"
cd "$work/cwd"
env -i HOME="$home" PATH=/usr/bin:/bin SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  "$prefix/bin/kalkulon" >"$work/game.log" 2>&1 &
pid=$!
data="$home/.local/share/kalkulon"
for _ in $(seq 100); do
  [ -s "$data/hiscore.tbl" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
sleep 0.3
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true

fail() { echo "FAIL: $*"; cat "$work/game.log"; exit 1; }
[ "$(stat -c %s "$data/hiscore.tbl" 2>/dev/null)" = 120 ] || fail "no 120-byte hiscore.tbl in $data"
[ -s "$data/debug.txt" ] || fail "no debug.txt in $data"
for folder in gfx level music; do
  [ -L "$data/$folder" ] || fail "$data/$folder is not a link to the installed data"
done
grep -q "wczytanie bitmapy...gfx" "$data/debug.txt" || fail "the game did not load its pictures"
others=$(find "$work" -name hiscore.tbl -not -path "$data/hiscore.tbl")
[ -z "$others" ] || fail "hiscore.tbl written elsewhere: $others"

# The installed lesson tool finds the installed data and proves an installed pack; the game lists
# both example packs.
"$prefix/bin/kalkulon-levels" check "$prefix/share/kalkulon/packs/dodawanie-do-20" >"$work/check.log" 2>&1 ||
  { cat "$work/check.log"; fail "kalkulon-levels check failed on an installed pack"; }
env -i HOME="$home" PATH=/usr/bin:/bin "$prefix/bin/kalkulon" --list-packs >"$work/list.log" 2>&1
grep -q "^dodawanie-do-20 .*Dodawanie do 20" "$work/list.log" && grep -q "^tabliczka-2-5-10 " "$work/list.log" ||
  { cat "$work/list.log"; fail "kalkulon --list-packs does not list the example packs"; }
# The launcher ignores a relative XDG_DATA_HOME (the XDG rules), never makes a missing home
# folder, and says what stops it (in its message window, and here on standard error).
mkdir -p "$work/elsewhere"
cd "$work/elsewhere"
env -i HOME="$work/nohome" XDG_DATA_HOME=relative PATH=/usr/bin:/bin SDL_VIDEODRIVER=dummy LANG=en_GB.UTF-8 \
  "$prefix/bin/kalkulon" --list-packs >"$work/nohome.log" 2>&1 && fail "started without a home folder"
[ ! -e "$work/nohome" ] && [ ! -e "$work/elsewhere/relative" ] || fail "made $work/nohome or a relative data folder"
grep -q "^kalkulon: there is no home folder" "$work/nohome.log" || { cat "$work/nohome.log"; fail "no reason given"; }
env -i HOME="$home" XDG_DATA_HOME=relative PATH=/usr/bin:/bin "$prefix/bin/kalkulon" --list-packs >/dev/null 2>&1 ||
  fail "a relative XDG_DATA_HOME stopped the game"
[ ! -e "$work/elsewhere/relative" ] || fail "a relative XDG_DATA_HOME was used"
echo "installed game keeps its table in $data; lesson tool and packs installed"
