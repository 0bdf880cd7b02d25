#!/bin/sh
# Starts the installed game in the player's own data folder, where "hiscore.tbl" and
# "debug.txt" live; the read-only pictures, levels and music are reached there through links
# to the installed folders, under the names the game opens.
set -eu
here=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$here")
share="$prefix/share/kalkulon"
game="$prefix/lib/kalkulon/kalkulon"
data="${XDG_DATA_HOME:-${HOME:?HOME is not set}/.local/share}/kalkulon"
mkdir -p "$data"
for folder in gfx level music; do
  # A link (ours, perhaps to an older install) is renewed; a real folder the player put
  # there is left alone.
  if [ -L "$data/$folder" ] || [ ! -e "$data/$folder" ]; then
    ln -sfn "$share/$folder" "$data/$folder"
  fi
done
# A pack named by its folder is found from where the player started the game.
KALKULON_START_DIR=$(pwd)
export KALKULON_START_DIR
cd "$data"
exec "$game" "$@"
