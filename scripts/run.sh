#!/usr/bin/env bash
# Starts the game from the repository root. Without a display, the game runs on a virtual
# one (Xvfb) and plays a short scripted session, saving screenshots and its sound in out/.
set -euo pipefail
cd "$(dirname "$0")/.."
program="$1"
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: running the game on a virtual X display (Xvfb) with a scripted session."
  exec scripts/with-display.sh --current env TARNWICK="$program" scripts/play-session.sh out
fi
exec scripts/with-display.sh --current "$program"
