#!/usr/bin/env bash
# Runs programs built on the engine as installed, headless, each replaying a session that was
# recorded in a window; the program checks that it shows the recorded screen at every step.
#   install-test.sh consumer BUILD  the engine installed alone (as make engine PREFIX=... does),
#                                   the chase example built through the CMake package outside the
#                                   tree, its data copied again by a build after an edit, and hello
#                                   built through pkg-config alone
#   install-test.sh package BUILD   the game, from its Debian package unpacked into a temporary
#                                   root, started by its tarnwick command from elsewhere
#   install-test.sh windows-game BUILD  the game's Windows zip unpacked into a fresh folder and a
#                                   fresh Wine prefix, the game started in a window
#   install-test.sh windows-sdk BUILD   the chase example built outside the tree with the cross
#                                   compiler against the Windows SDK's zip, run under Wine
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$2" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export ALSOFT_DRIVERS=null
nl=$'\n'

replay() { # DIRECTORY RECORDING COMMAND...   (SETTINGS= replays in a window)
  local dir=$1 rec=$2
  shift 2
  cp "$src/tests/data/replays/$rec.rec" "$dir/replay.rec"
  printf '%sframe_time:0,\nreplay_file:replay.rec\n' "${SETTINGS-headless:true,$nl}" \
    >"$dir/tw-config.txt"
  (cd "$dir" && "$@") >"$tmp/out.txt" 2>&1 || { cat "$tmp/out.txt"; exit 1; }
  grep -q "showed the recorded screen at every step" "$dir/tarnwick.log" ||
    { cat "$tmp/out.txt" "$dir/tarnwick.log"; exit 1; }
}

case "$1" in
consumer)
  for component in engine headers; do
    cmake --install "$build" --prefix "$tmp/usr" --component $component >/dev/null
  done
  [ ! -e "$tmp/usr/bin/tarnwick" ] || { echo "the engine's install holds the game"; exit 1; }
  cp -r "$src/examples/chase" "$tmp/chase-src"
  cmake -S "$tmp/chase-src" -B "$tmp/chase" -DCMAKE_PREFIX_PATH="$tmp/usr" >/dev/null
  cmake --build "$tmp/chase" >/dev/null
  replay "$tmp/chase" example-chase ./chase
  echo "# edited" >>"$tmp/chase-src/data/player-spr.txt" # after "eof": still a good sprite
  cmake --build "$tmp/chase" >/dev/null
  cmp "$tmp/chase-src/data/player-spr.txt" "$tmp/chase/player-spr.txt"
  # Every installed header compiles on its own include path, and a one-file program links.
  export PKG_CONFIG_PATH=$(dirname "$(find "$tmp/usr" -name tarnwick.pc)")
  mkdir "$tmp/hello" && cd "$tmp/hello"
  for h in "$tmp"/usr/include/tarnwick/*.h; do echo "#include <tarnwick/${h##*/}>"; done >all.cpp
  c++ -std=c++17 -fsyntax-only $(pkg-config --cflags tarnwick) all.cpp
  cp "$src/examples/hello/"{main.cpp,data/click.wav} "$tmp/usr/share/tarnwick/tw-font.ttf" .
  c++ -std=c++17 main.cpp -o hello $(pkg-config --cflags --libs tarnwick)
  replay "$tmp/hello" example-hello ./hello
  ;;
package)
  (cd "$tmp" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
  dpkg-deb -x "$tmp"/tarnwick_*.deb "$tmp/root"
  export XDG_STATE_HOME=$tmp/state
  mkdir -p "$tmp/state/tarnwick"
  replay "$tmp/state/tarnwick" session env -C / "$tmp/root/usr/bin/tarnwick"
  ;;
windows-*)
  version=$(sed -n 's/^project(Tarnwick VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
  cmake --build "$build" --target windows-package >/dev/null
  wine=("$src/scripts/wine-run.sh" --path)
  if [ "$1" = windows-game ]; then
    game="$tmp/tarnwick-$version-windows-x64"
    (cd "$tmp" && cmake -E tar xf "$build/${game##*/}.zip")
    for f in tarnwick.exe openal32.dll tw-font.ttf README.txt tw-font-LICENSE.txt SFML-license.md; do
      [ -f "$game/$f" ] || { echo "the game's zip has no $f"; exit 1; }
    done
    SETTINGS='' TW_WINEPREFIX="$tmp/prefix" replay "$game" session "${wine[@]}" . ./tarnwick.exe
  else
    sdk="$tmp/tarnwick-sdk-$version-windows-x64"
    (cd "$tmp" && cmake -E tar xf "$build/${sdk##*/}.zip")
    cp -r "$src/examples/chase" "$tmp/chase-src"
    cmake -S "$tmp/chase-src" -B "$tmp/chase" -DCMAKE_PREFIX_PATH="$sdk" \
      -DCMAKE_TOOLCHAIN_FILE="$sdk/share/tarnwick/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$tmp/chase" >/dev/null
    cp "$sdk/bin/openal32.dll" "$tmp/chase"
    TW_WINEPREFIX="$build/wine-prefix" replay "$tmp/chase" example-chase "${wine[@]}" . ./chase.exe
  fi
  ;;
esac
