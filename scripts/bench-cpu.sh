#!/usr/bin/env bash
# CPU use of the game during a scripted session of each screen: the real program on the
# current X display, driven with real X input (xdotool). For each of the menu and the normal,
# advanced and timed modes it starts the game, enters the mode, then for SECONDS seconds moves
# the pointer back and forth across the screen (the paddles follow it) and enters the mode
# again whenever the game went back to the menu (a lost or won game). It reads the process's
# user and system time from /proc before and after, and prints one JSON line per session.
#   scripts/bench-cpu.sh PROGRAM [SECONDS] [ROUNDS]
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="$(realpath "$1")"
seconds="${2:-60}"
rounds="${3:-1}"
ticks=$(getconf CLK_TCK)

# The game reads its data from its working folder and writes its log there.
home="$(mktemp -d /tmp/tw-cpu-XXXXXX)"
trap 'rm -rf "$home"' EXIT
for f in sprites sounds tw-font.ttf tw-config.txt; do
  ln -s "$root/$f" "$home/$f"
done
cd "$home"

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
now_ms() { date +%s%3N; }
menus() { grep -c 'Mode::update(): Menu' tarnwick.log 2>/dev/null || true; }

session() {
  local mode="$1" column="$2"
  "$program" 2>/dev/null &
  local pid=$!
  local window=""
  for _ in $(seq 1 100); do
    window=$(xdotool search --name '^Tarnwick' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "bench-cpu: the game window did not appear" >&2
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 1
  fi
  local width height
  width=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
  height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')
  # Cell (column, row) of the 80 x 40 grid to window pixels.
  point() { xdotool mousemove --window "$window" $(($1 * width / 80)) $(($2 * height / 40 + height / 80)); }
  enter() {
    point "$column" 21
    sleep 0.3
    xdotool mousedown 1
    sleep 0.2
    xdotool mouseup 1
  }
  sleep 1.5
  [ "$mode" != menu ] && enter
  sleep 1
  local seen re_entries=0
  seen=$(menus)
  local t0 c0 t1 c1
  t0=$(now_ms)
  c0=$(cpu_ticks "$pid")
  local x=10 dx=4
  while [ $(($(now_ms) - t0)) -lt $((seconds * 1000)) ]; do
    point "$x" 30
    x=$((x + dx))
    if [ "$x" -ge 70 ] || [ "$x" -le 10 ]; then dx=$((-dx)); fi
    if [ "$mode" != menu ] && [ "$(menus)" != "$seen" ]; then
      sleep 0.5
      enter
      re_entries=$((re_entries + 1))
      seen=$(menus)
    fi
    sleep 0.1
  done
  c1=$(cpu_ticks "$pid")
  t1=$(now_ms)
  # Q quits from the menu; from a game, escape leads there first.
  xdotool keydown Escape
  sleep 0.3
  xdotool keyup Escape
  sleep 0.5
  xdotool keydown q
  sleep 0.3
  xdotool keyup q
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  echo "{\"mode\": \"$mode\", \"seconds\": $(awk "BEGIN { printf \"%.3f\", ($t1 - $t0) / 1000 }"), \"cpu_seconds\": $(awk "BEGIN { printf \"%.3f\", ($c1 - $c0) / $ticks }"), \"re_entries\": $re_entries}"
}

for _ in $(seq 1 "$rounds"); do
  session menu 0
  session normal 20
  session advanced 40
  session timed 60
done
