#!/usr/bin/env bash
# Runs programs built on the engine as installed, headless, each replaying a session that was
# recorded in a window; the program checks that it shows the recorded screen at every step.
#   install-test.sh consumer BUILD  the engine installed alone (as make engine PREFIX=... does),
#                                   the chase example built through the CMake package outside the
#                                   tree, its data copied again by a build after an edit, hello
#                                   built through pkg-config alone, and the library linked into a
#                                   shared object
#   install-test.sh package BUILD   the game, from its Debian package unpacked into a temporary
#                                   root, started by its tarnwick command from elsewhere; its Python
#                                   module imported by Debian's python3 from there, run headless
#   install-test.sh wheel BUILD     the Python module's wheel (BUILD/dist/tarnwick-*.whl when the
#                                   caller built it, else built now in BUILD/wheel) installed in a
#                                   fresh venv, its pytest suite run there from elsewhere
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
  # The static library is position-independent: it links into a shared object, a plug-in's.
  printf '#include <tarnwick/GameManager.h>\nint started() { return tw::GameManager::getInstance().isStarted(); }\n' >plugin.cpp
  c++ -std=c++17 -shared -fPIC plugin.cpp -o libplugin.so $(pkg-config --cflags --libs tarnwick)
  replay "$tmp/hello" example-hello ./hello
  ;;
package)
  (cd "$tmp" && cpack -G DEB --config "$build/CPackConfig.cmake" >/dev/null)
  dpkg-deb -x "$tmp"/tarnwick_*.deb "$tmp/root"
  export XDG_STATE_HOME=$tmp/state
  mkdir -p "$tmp/state/tarnwick"
  replay "$tmp/state/tarnwick" session env -C / "$tmp/root/usr/bin/tarnwick"
  # The Python module, when the tree has it (pybind11 installed), plays the star example. A
  # headless run loads no font: the package's own, used without tw-font.ttf in a window's
  # working directory, is checked to be there.
  [ -d "$build/python/tarnwick" ] || exit 0
  export PYTHONPATH=$tmp/root/usr/lib/python3/dist-packages
  /usr/bin/python3 -c 'import os, sys, tarnwick
assert tarnwick.__file__ == sys.argv[1] + "/tarnwick/__init__.py", tarnwick.__file__
assert os.path.isfile(tarnwick.FONT_FILE)' "$PYTHONPATH"
  mkdir "$tmp/star"
  replay "$tmp/star" example-star /usr/bin/python3 "$src/examples/star/star.py"
  ;;
wheel)
  wheels=("$build"/dist/tarnwick-*.whl)
  if [ ! -e "${wheels[0]}" ]; then
    TW_WHEEL_BUILD=$build/wheel /usr/bin/python3 -m build --no-isolation --wheel \
      --outdir "$build/wheel/dist" "$src/python" >"$tmp/out.txt" 2>&1 || { cat "$tmp/out.txt"; exit 1; }
    wheels=("$build"/wheel/dist/tarnwick-*.whl)
  fi
  [ ${#wheels[@]} -eq 1 ] || { echo "more than one wheel: ${wheels[*]}"; exit 1; }
  # Debian's pytest comes from the system's packages; tarnwick must come from the venv's.
  /usr/bin/python3 -m venv --system-site-packages "$tmp/venv"
  python=$tmp/venv/bin/python
  "$python" -m pip install --quiet --no-index --no-deps --disable-pip-version-check "${wheels[0]}"
  unset PYTHONPATH
  mkdir "$tmp/run" && cd "$tmp/run"
  file=$("$python" -c 'import os, tarnwick; assert os.path.isfile(tarnwick.FONT_FILE)
print(tarnwick.__file__)')
  [[ $file == "$tmp"/venv/lib/python3*/site-packages/tarnwick/__init__.py ]] ||
    { echo "tarnwick imported from $file"; exit 1; }
  PYTHONDONTWRITEBYTECODE=1 "$python" -m pytest -q -p no:cacheprovider "$src/tests/python"
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
