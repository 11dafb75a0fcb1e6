#!/usr/bin/env bash
# Runs programs built on the engine as installed, headless, each replaying a session that was
# recorded in a window; the program checks that it shows the recorded screen at every step.
#   install-test.sh consumer BUILD  the engine installed alone (as make engine PREFIX=... does),
#                                   the chase example built through the CMake package outside the
#                                   tree, its data copied again by a build after an edit, and hello
#                                   built through pkg-config alone
#   install-test.sh package BUILD   the game, from its Debian package unpacked into a temporary
#                                   root, started by its tarnwick command from elsewhere
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$2" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export ALSOFT_DRIVERS=null

replay() { # DIRECTORY RECORDING COMMAND...
  local dir=$1 rec=$2
  shift 2
  cp "$src/tests/data/replays/$rec.rec" "$dir/replay.rec"
  printf 'headless:true,\nframe_time:0,\nreplay_file:replay.rec\n' >"$dir/tw-config.txt"
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
esac
