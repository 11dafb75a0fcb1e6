#!/usr/bin/env bash
# Runs Windows programs under Wine, as the cross-built programs and tests run:
#   scripts/wine-run.sh --path DIR PROGRAM.exe ARGS...   runs one program
#   scripts/wine-run.sh --path DIR --server CMD ARGS...  runs CMD (ctest, say) with a Wine
#                                                        server kept up for all its programs
# DIR is the build directory: openal32.dll is looked up there, and the Wine prefix is
# DIR/wine-prefix (or TW_WINEPREFIX), made on first use. Wine's own messages are off unless
# WINEDEBUG asks for them.
set -euo pipefail
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
wineserver="$(dirname "$wine")/wineserver"
[ -x "$wineserver" ] || wineserver=$(command -v wineserver || true)
if [ ! -x "$wine" ]; then
  echo "wine-run: Wine is missing (apt-get install wine64)" >&2
  exit 127
fi
if [ "${1:-}" != --path ] || [ $# -lt 3 ]; then
  echo "usage: $0 --path BUILD_DIR [--server] PROGRAM ARGS..." >&2
  exit 2
fi
dir=$(cd "$2" && pwd)
shift 2
export WINEPATH="Z:${dir//\//\\}${WINEPATH:+;$WINEPATH}"
export WINEPREFIX="${TW_WINEPREFIX:-$dir/wine-prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko install prompts; OpenAL Soft without a sound device plays to nothing.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -e /dev/snd ]; then
  export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
fi

# Several tests may start at once: the first makes the prefix, the others wait for it.
if [ ! -e "$WINEPREFIX/.tw-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -e "$WINEPREFIX/.tw-ready" ]; then
      DISPLAY='' "$wine" wineboot -i >/dev/null 2>&1 || true
      "$wineserver" -w || true
      touch "$WINEPREFIX/.tw-ready"
    fi
  ) 9>"$dir/wine-prefix.lock"
fi

if [ "${1:-}" = --server ]; then
  shift
  # A server that stays up, and one program run first, start Wine's services once; without
  # them every program waits seconds for them to start and stop.
  "$wineserver" -p
  "$wine" cmd /c exit >/dev/null 2>&1 || true
  status=0
  "$@" || status=$?
  "$wineserver" -k 2>/dev/null || true
  exit $status
fi
exec "$wine" "$@"
