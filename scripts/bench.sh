#!/usr/bin/env bash
# Runs every benchmark of bench/ from a Release build on the current X display, then writes
# bench/REPORT.md and its plots from the results (scripts/bench-report.py).
#   scripts/bench.sh [BUILD_DIR]          (make bench runs it on a display)
# BENCH_ROUNDS (default 3) sets how often each measurement is repeated, BENCH_FRAME_ROUNDS
# (default 2) how often the game's frames are run each way (damage tracking on and off),
# BENCH_CPU_ROUNDS (default 1) how often each scripted session runs each way, and
# BENCH_CPU_SECONDS (default 60) the length of a session.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath "${1:-$root/build-bench}")"
rounds="${BENCH_ROUNDS:-3}"
frame_rounds="${BENCH_FRAME_ROUNDS:-2}"
cpu_rounds="${BENCH_CPU_ROUNDS:-1}"
cpu_seconds="${BENCH_CPU_SECONDS:-60}"
results="$build/results"
rm -rf "$results"
mkdir -p "$results"
cd "$results"

# The machine, as the report describes it.
{
  echo "date: $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "kernel: $(uname -sr)"
  echo "system: $(. /etc/os-release && echo "$PRETTY_NAME")"
  echo "cpu: $(awk -F': ' '/model name/ {print $2; exit}' /proc/cpuinfo)"
  echo "cores: $(nproc)"
  echo "memory: $(awk '/MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo)"
  echo "compiler: $(c++ --version | sed -n 1p)"
  echo "sfml: $(dpkg-query -W -f='${Version}' libsfml-dev 2>/dev/null || echo unknown)"
  echo "benchmark: $(dpkg-query -W -f='${Version}' libbenchmark-dev 2>/dev/null || echo unknown)"
  # Read to the end: a reader that stops early would end xdpyinfo with SIGPIPE.
  server="$(xdpyinfo 2>/dev/null | sed -n 's/^vendor string: *//p' || true)"
  if pgrep -a Xvfb | grep " ${DISPLAY:-none} " >/dev/null; then
    server="Xvfb, $server"
  fi
  echo "display: ${DISPLAY:-none} ($server)"
} > machine.txt

# Load of the machine before and after each step: others may be busy on it.
load() { echo "$1|$(cut -d' ' -f1-3 /proc/loadavg)|$(date +%s)" >> load.txt; }
step() {
  local name="$1"
  shift
  echo "== $name" >&2
  load "before $name"
  "$@"
  load "after $name"
}

bin="$build/bench"
step "grid frame" "$bin/GridFrameBench" --benchmark_repetitions=$((rounds * 2 + 1)) \
  --benchmark_enable_random_interleaving=true \
  --benchmark_out=gridframe.json --benchmark_out_format=json >/dev/null 2>gridframe.err
step "world update" "$bin/WorldBench" --benchmark_repetitions="$rounds" \
  --benchmark_out=world.json --benchmark_out_format=json >/dev/null
# Damage tracking on (as the game runs) and off (every frame drawn whole), in turn.
for i in $(seq 1 "$frame_rounds"); do
  step "game frames $i" "$bin/GameFrameBench" "gameframe-$i.json" 2>/dev/null
  step "game frames drawn whole $i" "$bin/GameFrameBench" "gameframe-whole-$i.json" whole \
    2>/dev/null
done
step "start-up" "$bin/StartupBench" startup.json $((rounds * 4)) 2>/dev/null
step "cpu sessions" "$root/scripts/bench-cpu.sh" "$build/tarnwick" "$cpu_seconds" "$cpu_rounds" \
  > cpu.jsonl
step "input polling" "$bin/InputPollBench" --benchmark_repetitions="$rounds" \
  --benchmark_out=input.json --benchmark_out_format=json >/dev/null 2>&1
step "mass deletion" "$bin/MassBench" --benchmark_repetitions="$rounds" \
  --benchmark_out=mass.json --benchmark_out_format=json >/dev/null 2>&1
step "path finding" "$bin/PathBench" --benchmark_out=path.json \
  --benchmark_out_format=json >/dev/null 2>&1
# Step events to objects made in C++ and in Python, one round of each in turn.
step_events() {
  local i
  for i in $(seq 1 "$1"); do
    "$bin/StepEventBench" "stepevents-cpp-$i.json" 1 2>/dev/null
    PYTHONPATH="$build/python" /usr/bin/python3 "$root/bench/python/step_events.py" \
      "stepevents-py-$i.json" 1
  done
}
step "step events" step_events $((rounds * 2 + 1))
# The game's page in headless Chromium, when make web was built (make bench builds it).
if [ -f "$root/build-web/tarnwick.html" ] && [ -d "$root/tests/web/node_modules" ]; then
  step "web page" node "$root/bench/web/page-bench.mjs" web.json "${BENCH_WEB_SECONDS:-20}" 5
fi
for f in gridframe.json world.json gameframe-1.json gameframe-whole-1.json startup.json cpu.jsonl \
  input.json stepevents-cpp-1.json stepevents-py-1.json; do
  if [ ! -s "$f" ]; then
    echo "bench: no results in $results/$f" >&2
    exit 1
  fi
done

/usr/bin/python3 "$root/scripts/bench-report.py" "$results" "$root/bench"
echo "Report: $root/bench/REPORT.md" >&2
