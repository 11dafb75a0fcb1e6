#!/usr/bin/env bash
# Soak test: plays the real game on the current X display with random real X input for
# SOAK_SECONDS (default 1800), then quits with Q. The input comes from a generator seeded with
# SOAK_SEED (default 1): mouse moves, presses and clicks over the menu entries and the arena,
# A/D/W/S, E, T, escape, RETURN and a key to resume, and focus changes to another window; each
# game lasts up to 5 + SOAK_GAME_SECONDS (default 40) seconds, unless lost or ended early, and
# the menu starts every mode in turn many times.
# The program's resident memory is sampled every 10 seconds; a screenshot is taken about every
# five minutes, while the game is paused.
# Passes when the program ends with exit code 0 after Q, its standard error holds no
# sanitizer report, the log holds no more than SOAK_MAX_OVERRUNS (default 0) "Can't keep up!"
# lines outside pauses and the first frame, and the resident memory after SOAK_WARMUP seconds
# (default 180) does not grow by more than 10 % + SOAK_SLACK_KB (default 8192) kilobytes.
# Usage: scripts/soak.sh [output folder, default out/soak]; TARNWICK names the program.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-out/soak}")"
program="$(realpath "${TARNWICK:-$root/build/tarnwick}")"
seconds="${SOAK_SECONDS:-1800}"
seed="${SOAK_SEED:-1}"
warmup="${SOAK_WARMUP:-180}"
max_overruns="${SOAK_MAX_OVERRUNS:-0}"
game_seconds="${SOAK_GAME_SECONDS:-40}"
slack="${SOAK_SLACK_KB:-8192}"
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
# In a sanitizer build, freed memory waits in a quarantine of 256 MiB by default, which would
# look like growth for many minutes: a small one lets the memory figures settle early.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=${SOAK_QUARANTINE_MB:-16}"

# The game's home: its data from the repository, its own log.
home="$out/home"
rm -rf "$out"
mkdir -p "$home"
for name in tw-config.txt tw-font.ttf sprites sounds; do
  ln -s "$root/$name" "$home/$name"
done
cd "$home"
log="$home/tarnwick.log"
: >"$out/pauses.txt"
: >"$out/actions.txt"

"$program" 2>"$out/stderr.txt" &
pid=$!
other_pid=""
sampler_pid=""
cleanup() {
  [ -n "$sampler_pid" ] && kill "$sampler_pid" 2>/dev/null
  [ -n "$other_pid" ] && kill "$other_pid" 2>/dev/null
  if kill -0 "$pid" 2>/dev/null; then
    kill -9 "$pid" 2>/dev/null
  fi
}
trap cleanup EXIT

window=""
for _ in $(seq 1 300); do
  window=$(xdotool search --pid "$pid" --name '^Tarnwick' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "soak: the game window did not appear" >&2
  cat "$out/stderr.txt" >&2
  exit 1
fi
start=$EPOCHSECONDS

# Resident memory every 10 seconds: seconds since the start, kilobytes.
(
  while kill -0 "$pid" 2>/dev/null; do
    rss=""
    while read -r key value _; do
      [ "$key" = VmRSS: ] && rss=$value
    done <"/proc/$pid/status" 2>/dev/null
    [ -n "$rss" ] && echo "$((EPOCHSECONDS - start)) $rss" >>"$out/rss.txt"
    sleep 10
  done
) &
sampler_pid=$!

# Another window to take the focus away now and then.
xmessage -geometry +1200+100 -title soak-other "another window" >/dev/null 2>&1 &
other_pid=$!
other=""
for _ in $(seq 1 50); do
  other=$(xdotool search --name '^soak-other$' 2>/dev/null | tail -n 1)
  [ -n "$other" ] && break
  sleep 0.1
done

sleep 1.5
width=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
height=$(xwininfo -id "$window" | awk '/Height:/ {print $2}')

note() { echo "$((EPOCHSECONDS - start)) $*" >>"$out/actions.txt"; }
# Cell (column, row) of the 80 x 40 grid to window pixels, the middle of the cell.
point() {
  xdotool mousemove --window "$window" $(($1 * width / 80 + width / 160)) \
    $(($2 * height / 40 + height / 80))
}
# The harness shares the two cores with the game: it starts as few processes as it can.
# Seconds as a decimal from milliseconds, into the variable named by the first argument.
secs() { printf -v "$1" '%d.%03d' $(($2 / 1000)) $(($2 % 1000)); }
nap() {
  local s
  secs s "$1"
  sleep "$s"
}
hold() {
  local s
  secs s "$2"
  xdotool keydown "$1" sleep "$s" keyup "$1"
}
press() {
  local s
  secs s "$1"
  xdotool mousedown 1 sleep "$s" mouseup 1
}
focus_game() { xdotool windowfocus "$window" 2>/dev/null; }
# A screenshot when five minutes have passed since the last, taken only while the game is
# paused: grabbing the window loads the machine, and no timed frame may pay for that.
shoot_if_due() {
  if [ $((EPOCHSECONDS - start)) -ge $((shots * 300)) ]; then
    import -window "$window" "$out/shot-$shots.png" 2>/dev/null
    shots=$((shots + 1))
  fi
}
# The screen now showing, from the log's lines since the last look: Menu, Regular, Advanced
# or Timed, in $screen. A line read before its end is kept until the rest comes.
exec {log_fd}<"$log"
screen=""
partial=""
read_screen() {
  local line
  while IFS= read -r -u "$log_fd" line; do
    line="$partial$line"
    partial=""
    if [[ $line =~ Mode::update\(\):\ (Menu|Regular|Advanced|Timed) ]]; then
      screen=${BASH_REMATCH[1]}
    fi
  done
  partial="$partial$line"
}

RANDOM="$seed"
focus_game
attempts=0
round=0
entries=("20 21 Normal" "40 21 Advanced" "60 21 Timed")
game_end=0
shots=0

while [ $((EPOCHSECONDS - start)) -lt "$seconds" ]; do
  if ! kill -0 "$pid" 2>/dev/null; then
    break
  fi
  read_screen
  current=$screen
  if [ "$current" = Menu ] || [ -z "$current" ]; then
    # Wander over the menu (entries light up under the pointer), then pick an entry: every
    # other game goes round the three modes in order, the others are drawn at random. An
    # entry starts its mode while the button is held in a frame, so a quick click may not:
    # the round goes on only once its mode has started.
    for _ in $(seq 1 $((RANDOM % 4))); do
      point $((RANDOM % 80)) $((RANDOM % 40))
      nap $((100 + RANDOM % 400))
    done
    r=$((RANDOM % 10))
    if [ "$r" -lt 2 ]; then
      # A stray key on the menu: none of these may do anything there.
      keys=(e t Escape a d w s Return)
      key=${keys[$((RANDOM % ${#keys[@]}))]}
      note "menu key $key"
      hold "$key" $((50 + RANDOM % 300))
      if [ "$key" = Return ]; then
        echo "$EPOCHSECONDS $EPOCHSECONDS" >>"$out/pauses.txt"
      fi
    fi
    in_round=0
    if [ $((attempts % 2)) -eq 0 ]; then
      pick=$((round % 3))
      in_round=1
    else
      pick=$((RANDOM % 3))
    fi
    attempts=$((attempts + 1))
    read -r column row name <<<"${entries[$pick]}"
    point "$column" "$row"
    nap $((150 + RANDOM % 400))
    note "start $name"
    if [ $((RANDOM % 3)) -eq 0 ]; then
      xdotool click 1
    else
      press $((50 + RANDOM % 300))
    fi
    game_end=$((EPOCHSECONDS + 5 + RANDOM % game_seconds))
    sleep 0.5
    read_screen
    if [ "$in_round" -eq 1 ] && [ "$screen" != Menu ]; then
      round=$((round + 1))
    fi
    continue
  fi

  # In a game.
  if [ "$EPOCHSECONDS" -ge "$game_end" ]; then
    if [ "$current" = Timed ]; then
      ends=(Escape e t)
    else
      ends=(Escape e)
    fi
    key=${ends[$((RANDOM % ${#ends[@]}))]}
    note "end $current with $key"
    hold "$key" $((200 + RANDOM % 200))
    sleep 1
    continue
  fi
  r=$((RANDOM % 100))
  if [ "$r" -lt 45 ]; then
    point $((10 + RANDOM % 60)) $((1 + RANDOM % 38))
    nap $((30 + RANDOM % 200))
  elif [ "$r" -lt 75 ]; then
    keys=(a d w s)
    hold "${keys[$((RANDOM % 4))]}" $((50 + RANDOM % 700))
  elif [ "$r" -lt 83 ]; then
    point $((10 + RANDOM % 60)) $((1 + RANDOM % 38))
    if [ $((RANDOM % 2)) -eq 0 ]; then
      press $((50 + RANDOM % 400))
    else
      xdotool click 1
    fi
  elif [ "$r" -lt 88 ]; then
    # Pause with RETURN and resume with another key.
    paused=$EPOCHSECONDS
    note "pause"
    hold Return $((50 + RANDOM % 150))
    shoot_if_due
    nap $((300 + RANDOM % 2500))
    resume=(space x a Left 1)
    hold "${resume[$((RANDOM % ${#resume[@]}))]}" $((50 + RANDOM % 100))
    echo "$paused $EPOCHSECONDS" >>"$out/pauses.txt"
    sleep 0.2
  elif [ "$r" -lt 93 ] && [ -n "$other" ]; then
    note "focus away"
    xdotool windowfocus "$other" 2>/dev/null
    nap $((200 + RANDOM % 1500))
    focus_game
  elif [ "$r" -lt 95 ]; then
    # Rarely, a game ends early: by winning at once, by the time key, or by escape.
    ends=(e t Escape)
    key=${ends[$((RANDOM % 3))]}
    note "early $key in $current"
    hold "$key" $((100 + RANDOM % 200))
    sleep 0.5
  else
    nap $((200 + RANDOM % 1000))
  fi
done

# Back to the menu and quit with Q.
focus_game
for _ in $(seq 1 10); do
  read_screen
  [ "$screen" = Menu ] && break
  hold Escape 300
  sleep 1
done
sleep 1
stop=$EPOCHSECONDS
xdotool keydown q
for _ in $(seq 1 300); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
xdotool keyup q
if kill -0 "$pid" 2>/dev/null; then
  echo "soak: the game did not quit on Q" >&2
  kill -9 "$pid"
fi
wait "$pid"
status=$?
kill "$sampler_pid" 2>/dev/null
wait "$sampler_pid" 2>/dev/null
sampler_pid=""

# Overruns: the first frames and the seconds around a pause are expected to overrun.
day_seconds() { date -d "$1" +%s; }
overruns=0
excused=0
: >"$out/overruns.txt"
while read -r clock step rest; do
  at=$(day_seconds "$clock")
  ok=0
  if [ "$step" -le 1 ]; then
    ok=1
  else
    while read -r from to; do
      if [ "$at" -ge $((from - 1)) ] && [ "$at" -le $((to + 2)) ]; then
        ok=1
        break
      fi
    done <"$out/pauses.txt"
  fi
  if [ "$ok" -eq 1 ]; then
    excused=$((excused + 1))
  else
    overruns=$((overruns + 1))
    echo "$clock $step $rest" >>"$out/overruns.txt"
  fi
done < <(grep -a "Can't keep up!" "$log" | awk '{$1 = $1; print}')

sanitizer=$(grep -acE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|SUMMARY: [A-Za-z]+Sanitizer' \
  "$out/stderr.txt")
first=$(head -n 1 "$out/rss.txt" 2>/dev/null)
last=$(tail -n 1 "$out/rss.txt" 2>/dev/null)
baseline=$(awk -v w="$warmup" '$1 >= w {print $2; exit}' "$out/rss.txt")
peak=$(awk -v w="$warmup" '$1 >= w && $2 > m {m = $2} END {print m + 0}' "$out/rss.txt")
last_kb=$(echo "$last" | awk '{print $2}')
samples=$(wc -l <"$out/rss.txt")
modes=$(grep -acE 'Mode::update\(\): (Regular|Advanced|Timed)' "$log")
regular=$(grep -ac 'Mode::update(): Regular' "$log")
advanced=$(grep -ac 'Mode::update(): Advanced' "$log")
timed=$(grep -ac 'Mode::update(): Timed' "$log")
pauses=$(wc -l <"$out/pauses.txt")
steps=$(grep -a 'Mode::update(): End' "$log" | awk '{print $2}')

{
  echo "soak: $((stop - start)) s of play, seed $seed, exit code $status"
  echo "soak: games $modes (normal $regular, advanced $advanced, timed $timed), pauses $pauses, frames ${steps:-?}"
  echo "soak: resident memory first ${first:-?} (s kB), after ${warmup} s ${baseline:-?} kB, peak after it ${peak} kB, last ${last:-?} (s kB), $samples samples"
  echo "soak: overruns outside pauses $overruns, excused (first frame, pauses) $excused"
  echo "soak: sanitizer reports $sanitizer"
} | tee "$out/summary.txt"
[ -s "$out/overruns.txt" ] && head -n 20 "$out/overruns.txt"

failed=0
if [ "$status" -ne 0 ]; then
  echo "soak: FAIL: exit code $status" >&2
  failed=1
fi
if [ "$sanitizer" -ne 0 ]; then
  echo "soak: FAIL: sanitizer report on standard error ($out/stderr.txt)" >&2
  failed=1
fi
if [ "$overruns" -gt "$max_overruns" ]; then
  echo "soak: FAIL: $overruns overruns outside pauses (at most $max_overruns)" >&2
  failed=1
fi
if [ -n "$baseline" ] && [ -n "$last_kb" ] && [ "$last_kb" -gt $((baseline * 110 / 100 + slack)) ]; then
  echo "soak: FAIL: resident memory grew from $baseline kB to $last_kb kB" >&2
  failed=1
fi
if ! tail -n 2 "$log" | grep -q '\*\* Game stopped \*\*'; then
  echo "soak: FAIL: the log does not end with the shut-down" >&2
  failed=1
fi
[ "$failed" -eq 0 ] && echo "soak: PASS"
exit "$failed"
