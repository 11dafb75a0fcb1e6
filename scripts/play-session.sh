#!/usr/bin/env bash
# Plays a short scripted session of the game with real X input on the current display:
# the menu, a normal game, escape, a timed game ended with T, and Q. Saves screenshots and
# the game's audio in the output folder (first argument, default out/) and prints where.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-out}")"
program="$(realpath "${TARNWICK:-$root/build/tarnwick}")"
# The game runs in its home folder (the repository root unless TARNWICK_HOME says otherwise).
cd "${TARNWICK_HOME:-$root}"
mkdir -p "$out"
rm -f "$out"/*.png "$out"/audio.wav

# OpenAL Soft's wave writer records everything the game plays.
cat > "$out/alsoft.conf" <<CONF
[general]
drivers = wave
[wave]
file = $out/audio.wav
CONF
export ALSOFT_CONF="$out/alsoft.conf" ALSOFT_DRIVERS=wave

"$program" 2> "$out/stderr.txt" &
pid=$!

window=""
for _ in $(seq 1 100); do
  window=$(xdotool search --name '^Tarnwick' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "play-session: the game window did not appear" >&2
  kill "$pid" 2>/dev/null
  exit 1
fi

width=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
# Cell (column, row) of the 80 x 40 grid to window pixels.
cell() { echo "$(($1 * width / 80)) $(($2 * height / 40 + height / 80))"; }
point() { xdotool mousemove --window "$window" $(cell "$1" "$2"); }
press() { xdotool mousedown 1; sleep 0.3; xdotool mouseup 1; }
hold() { xdotool keydown "$1"; sleep "${2:-0.3}"; xdotool keyup "$1"; }
shot() { import -window "$window" "$out/$1.png"; }

sleep 1.5
point 40 30
sleep 0.5
shot 1-menu
point 20 21
sleep 0.3
press
# The ball starts at column 29.5 and falls to the right: meet it there.
point 47 38
sleep 0.6
shot 2-normal-game
for x in 50 40 30 20 30; do
  point "$x" 38
  sleep 0.3
done
hold Escape
sleep 1
shot 3-menu-after-escape
point 40 21
sleep 0.3
press
sleep 2
shot 4-advanced-game
hold e
sleep 1.5
shot 5-menu-after-win
point 60 21
sleep 0.3
press
sleep 3
shot 6-timed-game
hold t
sleep 1.5
shot 7-menu-after-time
hold q
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "play-session: the game did not quit on Q" >&2
  kill "$pid"
fi
wait "$pid"
status=$?

echo "Screenshots: $out/*.png"
ls "$out"/*.png
echo "Audio: $out/audio.wav"
echo "Exit code: $status"
echo "Last lines of tarnwick.log:"
tail -n 12 tarnwick.log
exit "$status"
