#!/usr/bin/env bash
# Runs a command on a private virtual X display (Xvfb) that it starts and stops, whatever
# DISPLAY says, so that tests never take over the user's screen, pointer or keyboard.
#   scripts/with-display.sh CMD...            a private Xvfb, or TW_TEST_DISPLAY when set
#   scripts/with-display.sh --current CMD...  the current display, or a private Xvfb without one
# TW_TEST_DISPLAY (for instance :0) opts in to showing the tests on that display; the tests
# then learn from TW_SHARED_DISPLAY=1 that the screen and any window manager are not theirs.
# Also silences OpenAL Soft's output when the machine has no sound device.
set -uo pipefail

if [ ! -e /dev/snd ] && [ -z "${ALSOFT_DRIVERS:-}" ]; then
  export ALSOFT_DRIVERS=null
fi
if [ "${1:-}" = --current ]; then
  shift
  [ -n "${DISPLAY:-}" ] && exec "$@"
elif [ -n "${TW_TEST_DISPLAY:-}" ]; then
  export DISPLAY="$TW_TEST_DISPLAY" TW_SHARED_DISPLAY=1
  exec "$@"
fi
unset TW_SHARED_DISPLAY

# -noreset: a program that disconnects and reconnects must not race a server reset.
# -displayfd: the server picks a free display number itself and writes it once it listens,
# so that several runs at once never share a display.
number=$(mktemp)
Xvfb -displayfd 3 -screen 0 2048x1536x24 -noreset -nolisten tcp 3>"$number" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null; rm -f "$number"' EXIT
for _ in $(seq 1 100); do
  [ -s "$number" ] && break
  sleep 0.1
done
if [ ! -s "$number" ]; then
  echo "with-display: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$(head -n 1 "$number")"
"$@"
