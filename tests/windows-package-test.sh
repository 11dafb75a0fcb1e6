#!/usr/bin/env bash
# The Windows zips as their users get them, run under Wine, each program replaying a session
# recorded in a window and checking that it shows the recorded screen at every step.
#   windows-package-test.sh game BUILD  the game's zip unpacked into a fresh folder and a
#                                       fresh Wine prefix, the game started in a window
#   windows-package-test.sh sdk BUILD   the chase example built outside the tree with the
#                                       cross compiler against the SDK's zip
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$2" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
version=$(sed -n 's/^project(Tarnwick VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
cmake --build "$build" --target windows-package >/dev/null
zip=tarnwick-$version-windows-x64.zip
[ "$1" = game ] || zip=tarnwick-sdk-$version-windows-x64.zip
(cd "$tmp" && cmake -E tar xf "$build/$zip")

replay() { # DIRECTORY RECORDING CONFIGURATION PROGRAM
  cp "$src/tests/data/replays/$2.rec" "$1/replay.rec"
  printf '%sframe_time:0,\nreplay_file:replay.rec\n' "$3" >"$1/tw-config.txt"
  (cd "$1" && "$src/scripts/wine-run.sh" --path "$1" "$4") >"$tmp/out.txt" 2>&1 ||
    { cat "$tmp/out.txt"; exit 1; }
  grep -q "showed the recorded screen at every step" "$1/tarnwick.log" ||
    { cat "$tmp/out.txt" "$1/tarnwick.log"; exit 1; }
}

case "$1" in
game)
  game="$tmp/tarnwick-$version-windows-x64"
  for f in tarnwick.exe openal32.dll tw-font.ttf README.txt tw-font-LICENSE.txt SFML-license.md; do
    [ -f "$game/$f" ] || { echo "the game's zip has no $f"; exit 1; }
  done
  TW_WINEPREFIX="$tmp/prefix" replay "$game" session "" ./tarnwick.exe
  ;;
sdk)
  sdk="$tmp/tarnwick-sdk-$version-windows-x64"
  cp -r "$src/examples/chase" "$tmp/chase-src"
  cmake -S "$tmp/chase-src" -B "$tmp/chase" -DCMAKE_PREFIX_PATH="$sdk" \
    -DCMAKE_TOOLCHAIN_FILE="$sdk/share/tarnwick/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$tmp/chase" >/dev/null
  cp "$sdk/bin/openal32.dll" "$tmp/chase"
  TW_WINEPREFIX="$build/wine-prefix" replay "$tmp/chase" example-chase $'headless:true,\n' ./chase.exe
  ;;
esac
