#!/usr/bin/env bash
# Starts the game from the repository root; without a display, on a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
program="$1"
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: running the game on a virtual X display (Xvfb)."
fi
exec scripts/with-display.sh "$program"
