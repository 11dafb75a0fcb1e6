#!/usr/bin/env bash
# Records the gallery's examples and the tutorial's parts anew with real X input (xdotool) on a
# private virtual display: each runs from a copy of its build folder with record_file in its
# configuration, is played by its short script below, and its recording becomes
# tests/data/replays/gallery-<name>.rec (tutorial-NN-<name>.rec for a part NN-<name>).
# Usage: scripts/record-gallery.sh [NAME...] (default: every one with a script); the build
# folder is BUILD (default build/).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ -z "${TW_RECORD_DISPLAY:-}" ]; then
  TW_RECORD_DISPLAY=1 exec "$root/scripts/with-display.sh" "$0" "$@"
fi
build="$(realpath "${BUILD:-$root/build}")"

# What each example is played with, once its window has the focus.
play_sprites() { sleep 2; key space; sleep 1; key space; sleep 2; }
play_collisions() { sleep 5; }
play_scrolling() { hold Right 1.5; hold Down 1; hold Left 0.5; hold Up 0.4; sleep 0.5; }
play_colours() { sleep 1; key Right; key Right; key Right; sleep 0.5; key Left; sleep 1; }
play_outofworld() {
  for _ in 1 2 3 4 5 6 7 8; do key space; sleep 0.3; done
  sleep 1; for _ in 1 2 3 4; do key space; done
}
play_buttons() { # +1 at x 170, +10 at 512, Reset at 853, all at y 400
  sleep 0.5; click 512 400; click 512 400; click 170 400; click 853 400
  click 512 400; click 170 400; click 170 400; sleep 1
}
play_music() { sleep 0.5; key space; key m; sleep 1; key space; key space; key m; key m; sleep 1; }
# Clicks are at pixels of the window: a cell is 12.8 by 32 of them at the default size.
play_pathfinding() { sleep 1; click 902 592; sleep 5.5; click 518 400; sleep 3.5; }
play_pause() { sleep 1.5; key p; sleep 1.5; key space; sleep 1.5; key p; sleep 1; key Right; sleep 1; }
# The tutorial's parts.
play_01-walls() { sleep 0.5; hold Right 1; key Down; hold Down 1.2; hold Left 1.5; key Up; sleep 0.5; }
play_02-sprites() { sleep 0.5; hold Down 0.6; hold Right 1.2; sleep 1; }
play_03-gold() { sleep 0.5; hold Down 0.6; hold Right 1.2; sleep 0.5; }
play_04-monsters() { sleep 0.5; hold Down 0.6; hold Right 1.6; sleep 4; }
play_05-status() { sleep 0.5; hold Down 0.6; hold Right 1.2; sleep 7; }
play_06-light() { sleep 0.5; hold Down 0.6; hold Right 1.2; hold Down 0.2; sleep 1.5; }
play_07-sound() { sleep 0.5; hold Down 0.6; hold Right 1.2; sleep 3; }
# The menu's buttons, Play and Quit, at cells (40, 12) and (40, 16).
play_08-menu() { # a game until the hero dies, the menu again, and Quit
  sleep 1; click 518 400; sleep 0.5; hold Down 0.6; hold Right 1.2; sleep 11; click 518 528
}
play_09-pause() { sleep 1; click 518 400; sleep 0.5; hold Down 0.6; key p; sleep 1.5; key space; hold Right 0.8; }
play_10-levels() { sleep 1; click 518 400; sleep 0.5; hold Down 0.6; hold Right 2.6; hold Down 1; }
play_11-highscore() { sleep 1; click 518 400; sleep 0.5; hold Down 0.6; hold Right 1.2; sleep 0.5; }
play_12-testing() { sleep 1; click 518 400; sleep 0.5; hold Down 0.6; hold Right 2.6; sleep 8; }
play_13-shipping() { sleep 1; click 518 400; sleep 0.5; hold Down 0.6; hold Right 1.2; sleep 0.5; }

# Keys are read once a frame: a press lasts longer than a slow frame.
key() { xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; sleep 0.2; }
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }
# A click at a point of the window (pixels), after the pointer has rested there.
click() {
  xdotool mousemove --window "$window" "$1" "$2"; sleep 0.2
  xdotool mousedown 1; sleep 0.2; xdotool mouseup 1; sleep 0.2
}

record() {
  local name=$1 kind=gallery work pid window=""
  [[ $name =~ ^[0-9]+- ]] && kind=tutorial
  work=$(mktemp -d)
  cp -r "$build/examples/$kind/$name/." "$work/"
  printf 'record_file:gallery.rec\n' >"$work/tw-config.txt"
  (cd "$work" && exec "./$kind-$name") 2>"$work/stderr.txt" &
  pid=$!
  for _ in $(seq 1 150); do
    window=$(xdotool search --onlyvisible --pid "$pid" --name '^Tarnwick' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "record-gallery: $name: no window" >&2
    kill "$pid" 2>/dev/null
    return 1
  fi
  xdotool windowfocus "$window"
  sleep 0.5
  "play_$name"
  key Escape
  wait "$pid" || { echo "record-gallery: $name failed" >&2; return 1; }
  cp "$work/gallery.rec" "$root/tests/data/replays/$kind-$name.rec"
  echo "$name: $(wc -l <"$work/gallery.rec") lines, tests/data/replays/$kind-$name.rec"
  rm -rf "$work"
}

names=("$@")
[ ${#names[@]} -gt 0 ] || mapfile -t names < <(compgen -A function play_ | sed 's/^play_//')
status=0
for name in "${names[@]}"; do
  record "$name" || status=1
done
exit "$status"
