#!/usr/bin/env bash
# Plays a short scripted session of the game with real X input on the current display: the
# menu, a normal game paused with RETURN and lost, an advanced game won with E, a timed game
# ended with T, and Q. Each game starts paused, and each step waits for the game's log or its
# recording to show the screen it leads to, so the session goes the same way however slow
# the frames are. Saves screenshots and the game's audio in the output folder (first argument,
# default out/) and prints where. With
# TARNWICK_SESSION=menu it only waits for the menu, writes the window's id to the output
# folder's "window" and waits for the game to end by other means.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-out}")"
program="$(realpath "${TARNWICK:-$root/build/tarnwick}")"
# The game runs in its home folder (the repository root unless TARNWICK_HOME says otherwise).
cd "${TARNWICK_HOME:-$root}"
mkdir -p "$out"
rm -f "$out"/*.png "$out"/audio.wav "$out"/window
# The session waits on the game's recording; without one in the configuration, the game runs
# in a home of its own in the output folder, its configuration there adding one.
recording=$(sed -n 's/^record_file:\([^,]*\).*/\1/p' tw-config.txt 2>/dev/null | head -n 1)
if [ -z "$recording" ]; then
  mkdir -p "$out/home"
  for name in tw-font.ttf sprites sounds; do ln -sfn "$PWD/$name" "$out/home/$name"; done
  sed '$s/$/,/' tw-config.txt >"$out/home/tw-config.txt" 2>/dev/null
  echo record_file:session.rec >>"$out/home/tw-config.txt"
  cd "$out/home" || exit 1
  recording=session.rec
fi
rm -f "$recording"

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
for _ in $(seq 1 150); do
  window=$(xdotool search --onlyvisible --pid "$pid" --name '^Tarnwick' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "play-session: the game window did not appear" >&2
  kill "$pid" 2>/dev/null
  exit 1
fi

# Lines of the game's log that contain the text.
seen() {
  local n
  n=$(grep -c -F -- "$1" tarnwick.log 2>/dev/null)
  echo "${n:-0}"
}
# Runs a command until the log holds more than BEFORE lines with TEXT: TEXT BEFORE COMMAND...
until_seen() {
  local text=$1 before=$2
  shift 2
  for _ in 1 2 3 4 5; do
    "$@"
    for _ in $(seq 1 30); do
      [ "$(seen "$text")" -gt "$before" ] && return 0
      sleep 0.1
    done
  done
  echo "play-session: the log never showed '$text'" >&2
  return 1
}

# Waits until a line of the recording matches the awk condition.
until_recorded() {
  for _ in $(seq 1 300); do
    awk "$1 {found = 1} END {exit !found}" "$recording" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "play-session: the recording never showed $1" >&2
  return 1
}

width=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
echo "Window: ${width}x${height}"
# The character grid, as the game reads it from its configuration (80 x 24 without one).
columns=$(sed -n 's/^window_horizontal_chars:\([0-9]*\).*/\1/p' tw-config.txt 2>/dev/null)
rows=$(sed -n 's/^window_vertical_chars:\([0-9]*\).*/\1/p' tw-config.txt 2>/dev/null)
columns=${columns:-80} rows=${rows:-24}
# Cell (column, row) of the grid to window pixels.
cell() { echo "$(($1 * width / columns)) $(($2 * height / rows + height / rows / 2))"; }
point() { xdotool mousemove --window "$window" $(cell "$1" "$2"); }
# Keys and buttons are read once a frame: a press lasts longer than a slow frame.
press() { xdotool mousedown 1; sleep 0.3; xdotool mouseup 1; }
hold() { xdotool keydown "$1"; sleep 0.3; xdotool keyup "$1"; }
shot() { import -window "$window" "$out/$1.png"; }
menu="Mode::update(): Menu"

until_seen "$menu" 0 true
# Keys go to the window with the input focus (Wine's windows do not take it by themselves).
xdotool windowfocus "$window"
# The frame-time overlay stays on throughout: it must change nothing in the game.
xdotool key --window "$window" F3
if [ "${TARNWICK_SESSION:-}" = menu ]; then
  echo "$window" > "$out/window"
else
  # Starts a mode from its menu entry (mode, the entry's column) paused in its first frame,
  # however slow the frames are: RETURN is held down before the entry is pressed, and the
  # pause puts the paused frame's input into the recording. Sets first to the game's first
  # step.
  start_paused() {
    point "$2" 21
    xdotool keydown Return
    until_seen "Mode::update(): $1" "$(seen "Mode::update(): $1")" press
    first=$(awk -v m="$1" '$3 == "Mode::update():" && $4 == m {s = $2} END {print s}' tarnwick.log)
    until_recorded "\$1 >= $first && / RETURN\$/"
    xdotool keyup Return
  }
  point 40 30
  sleep 0.3
  shot 1-menu
  start_paused Regular 20
  menus=$(seen "$menu")
  shot 2-paused-1
  sleep 0.5
  shot 2-paused-2
  xdotool key space
  until_recorded "\$1 >= $first && / resume /"
  shot 2-resumed
  # The ball starts at column 29.5 and falls to the right: meet it there.
  point 47 38
  sleep 0.3
  shot 2-normal-game
  # The paddle runs to the left wall, away from the ball, and the game is lost.
  until_seen "Mode::update(): Lose" 0 hold a
  until_seen "$menu" "$menus" true
  sleep 0.3
  shot 3-menu-after-loss
  # Mode, its menu entry's column, the key that ends it, and two screenshots. The key that
  # ends the game also resumes it, and stays down: the game ends in its first frames.
  play_mode() {
    start_paused "$1" "$2"
    shot "$4"
    menus=$(seen "$menu")
    xdotool keydown "$3"
    until_seen "$menu" "$menus" true
    xdotool keyup "$3"
    sleep 0.3
    shot "$5"
  }
  play_mode Advanced 40 e 4-advanced-paused 5-menu-after-win
  play_mode Timed 60 t 6-timed-paused 7-menu-after-time
  xdotool keydown q
fi
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
xdotool keyup q
if kill -0 "$pid" 2>/dev/null; then
  echo "play-session: the game did not end" >&2
  kill "$pid"
fi
wait "$pid"
status=$?

echo "Screenshots: $out/*.png"
ls "$out"/*.png 2>/dev/null
echo "Audio: $out/audio.wav"
echo "Exit code: $status"
echo "Last lines of tarnwick.log:"
tail -n 12 tarnwick.log
exit "$status"
