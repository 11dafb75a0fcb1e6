#!/bin/sh
# Starts the installed game from anywhere. It reads its files from, and writes its log and high
# score to, the folder it runs in, and the installed data is read-only: so it runs in a folder
# of the player's own, with the data linked into it and a copy of the settings to edit.
set -e
here=$(dirname "$(readlink -f "$0")")
data="$here/../share/dungeon"
state="${XDG_STATE_HOME:-$HOME/.local/state}/dungeon"
mkdir -p "$state"
for file in "$data"/*; do
  [ "${file##*/}" = tw-config.txt ] || ln -sf "$file" "$state/"
done
[ -e "$state/tw-config.txt" ] || cp "$data/tw-config.txt" "$state/"
cd "$state"
exec "$here/../libexec/dungeon/dungeon" "$@"
