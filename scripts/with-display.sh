#!/usr/bin/env bash
# Runs a command with an X display: the current one, or a private Xvfb when there is none.
# Also silences OpenAL Soft's output when the machine has no sound device.
set -uo pipefail

if [ ! -e /dev/snd ] && [ -z "${ALSOFT_DRIVERS:-}" ]; then
  export ALSOFT_DRIVERS=null
fi

if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi

# -noreset: a program that disconnects and reconnects must not race a server reset.
display=""
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
    display=":$n"
    break
  fi
done
if [ -z "$display" ]; then
  echo "with-display: no free X display number" >&2
  exit 1
fi
Xvfb "$display" -screen 0 2048x1536x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null' EXIT
for _ in $(seq 1 100); do
  if DISPLAY="$display" xdpyinfo >/dev/null 2>&1; then
    break
  fi
  sleep 0.1
done
export DISPLAY="$display"
"$@"
