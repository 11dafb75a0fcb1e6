#!/usr/bin/env bash
# Runs a command with the settings for programs built with -DSANITIZE=ON: any report ends the
# process with a non-zero exit code, and LeakSanitizer checks every process at its exit.
# Mesa unloads its software OpenGL driver when a program closes its display; the blocks that
# the driver's own globals held then look leaked, though the program freed all it owns.
# Preloading the driver keeps it, and so those globals, in place until the leak check.
set -euo pipefail
export ASAN_OPTIONS="detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
driver=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1 || true)
if [ -n "$driver" ]; then
  export LD_PRELOAD="$driver${LD_PRELOAD:+:$LD_PRELOAD}"
  # The preloaded driver comes before the sanitizer runtime among the libraries.
  export ASAN_OPTIONS="$ASAN_OPTIONS:verify_asan_link_order=0"
fi
exec "$@"
