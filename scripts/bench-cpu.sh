#!/usr/bin/env bash
# CPU use of the game during a scripted session of each screen: the real program on the
# current X display, driven with real X input (xdotool). For each of the menu and the normal,
# advanced and timed modes it starts the game, enters the mode, then for SECONDS seconds moves
# the pointer back and forth across the screen (the paddles follow it) and enters the mode
# again whenever the game went back to the menu (a lost or won game). It reads the process's
# user and system time from /proc before, at each third and after, and prints one JSON line
# per session. Each session runs twice, one after the other: with damage tracking (as
# configured) and without ("damage_tracking:false" added to the configuration).
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
for way in part whole; do
  mkdir "$home/$way"
  for f in sprites sounds tw-font.ttf; do
    ln -s "$root/$f" "$home/$way/$f"
  done
done
cp "$root/tw-config.txt" "$home/part/"
{
  sed '$ s/$/,/' "$root/tw-config.txt"
  echo "damage_tracking:false"
} >"$home/whole/tw-config.txt"

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
now_ms() { date +%s%3N; }
menus() { grep -c 'Mode::update(): Menu' tarnwick.log 2>/dev/null || true; }

session() {
  local mode="$1" column="$2" way="$3"
  cd "$home/$way"
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
  local t0 c0 t1 c1 marks="" third=1
  t0=$(now_ms)
  c0=$(cpu_ticks "$pid")
  local x=10 dx=4
  while [ $(($(now_ms) - t0)) -lt $((seconds * 1000)) ]; do
    # CPU ticks and time at each third of the session, for the spread within it.
    if [ $third -lt 3 ] && [ $(($(now_ms) - t0)) -ge $((seconds * 1000 * third / 3)) ]; then
      marks="$marks $(now_ms):$(cpu_ticks "$pid")"
      third=$((third + 1))
    fi
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
  local thirds
  thirds=$(echo "$t0:$c0 $marks $t1:$c1" | awk -v ticks="$ticks" '{
    for (i = 2; i <= NF; i++) {
      split($(i - 1), a, ":"); split($i, b, ":")
      printf "%s%.4f", (i > 2 ? ", " : ""), (b[2] - a[2]) / ticks / ((b[1] - a[1]) / 1000)
    }
  }')
  echo "{\"mode\": \"$mode\", \"damage_tracking\": $([ "$way" = part ] && echo true || echo false), \"seconds\": $(awk "BEGIN { printf \"%.3f\", ($t1 - $t0) / 1000 }"), \"cpu_seconds\": $(awk "BEGIN { printf \"%.3f\", ($c1 - $c0) / $ticks }"), \"thirds\": [$thirds], \"re_entries\": $re_entries}"
}

for _ in $(seq 1 "$rounds"); do
  for screen in menu:0 normal:20 advanced:40 timed:60; do
    session "${screen%:*}" "${screen#*:}" part
    session "${screen%:*}" "${screen#*:}" whole
  done
done
