#!/usr/bin/env bash
# Runs programs built on the engine as installed, headless, each replaying a session that was
# recorded in a window; the program checks that it shows the recorded screen at every step.
#   install-test.sh consumer BUILD  the engine installed alone (as make engine PREFIX=... does),
#                                   the examples built through the CMake package outside the tree,
#                                   chase's data copied again by a build after an edit, hello also
#                                   through pkg-config alone, and the library linked into a shared
#                                   object; only the public headers installed, each compiling alone;
#                                   the tutorial's game packed by its CMake project, run from the
#                                   package
#   install-test.sh package BUILD   the game, from its Debian package unpacked into a temporary
#                                   root, started by its tarnwick command from elsewhere; its Python
#                                   module imported by Debian's python3 from there, run headless
#   install-test.sh wheel BUILD     the Python module's wheel (BUILD/dist/tarnwick-*.whl when the
#                                   caller built it, else built now in BUILD/wheel against the
#                                   system's SFML, which is quick) installed in a fresh venv, its
#                                   pytest suite run there from elsewhere; its licence files listed
#   install-test.sh wheel-minimal BUILD  the wheel with SFML built in (BUILD/dist, make wheel): its
#                                   licence files and carried libraries listed, then installed in
#                                   a fresh venv in a minimal Debian 12 (scripts/minimal-debian.sh;
#                                   root) that has no SFML, and its pytest suite run there
#   install-test.sh windows-game BUILD  the game's Windows zip unpacked into a fresh folder and a
#                                   fresh Wine prefix, the game started in a window
#   install-test.sh windows-sdk BUILD   the chase example built outside the tree with the cross
#                                   compiler against the Windows SDK's zip, run under Wine; the
#                                   tutorial's game packed by its CMake project as a zip, run
#                                   from the unpacked zip under Wine
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

wheel_files() { # WHEEL   its licence files; a manylinux one's every library built in or carried
  local listing name elf
  listing=$(/usr/bin/python3 -c 'import sys, zipfile
print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$1")
  local want=(tarnwick/licenses/LICENSE tarnwick/tw-font-LICENSE.txt)
  [[ $1 != *-manylinux_* ]] || want+=(tarnwick/licenses/SOURCES.txt
    tarnwick/licenses/sfml/{license.md,copyright}
    tarnwick/licenses/freetype/{LICENSE.TXT,FTL.TXT,copyright}
    tarnwick/licenses/flac/{COPYING.Xiph,copyright} tarnwick/licenses/libogg/{COPYING,copyright}
    tarnwick/licenses/libvorbis/{COPYING,copyright} tarnwick/licenses/openal-soft/COPYING
    tarnwick/licenses/libudev1/copyright tarnwick/licenses/libxrandr2/copyright)
  for name in "${want[@]}"; do
    grep -qx "$name" <<<"$listing" || { echo "the wheel has no $name"; exit 1; }
  done
  echo "licences in ${1##*/}:" && grep -E '/licenses/|LICENSE' <<<"$listing" | sed 's/^/  /'
  [[ $1 == *-manylinux_* ]] || return 0
  # OpenAL Soft's exact source is named; what the module or a carried library loads is carried,
  # or one of the system's that the tag allows.
  mkdir "$tmp/wheel"
  (cd "$tmp/wheel" && /usr/bin/python3 -m zipfile -e "$1" .)
  grep -q '^openal-soft ' "$tmp/wheel/tarnwick/licenses/SOURCES.txt" ||
    { echo "SOURCES.txt names no openal-soft"; exit 1; }
  local system='^(ld-linux-x86-64\.so\.2|lib(c|m|dl|rt|pthread|stdc\+\+|gcc_s)\.so\.[0-9]+'
  system+='|lib(GL|X11|Xext|Xrender)\.so\.[0-9]+)$'
  for elf in "$tmp"/wheel/tarnwick/_tarnwick*.so "$tmp"/wheel/tarnwick/libs/*; do
    for name in $(readelf -d -W "$elf" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p'); do
      [[ $name =~ $system ]] || [ -f "$tmp/wheel/tarnwick/libs/$name" ] ||
        { echo "${elf##*/} loads $name from the system"; exit 1; }
    done
  done
  for name in libopenal libudev libXrandr; do
    ls "$tmp"/wheel/tarnwick/libs/$name-* >/dev/null 2>&1 ||
      { echo "the wheel carries no $name"; exit 1; }
  done
}

has_files() { # WHAT DIRECTORY FILE...
  local what=$1 dir=$2 f
  shift 2
  for f in "$@"; do [ -s "$dir/$f" ] || { echo "$what has no $f"; exit 1; }; done
}
no_own_headers() { # INCLUDE_DIRECTORY   none of the engine's own headers is installed there
  local h
  for h in Audio CellBatch CollisionGrid DamageMap InputSource Platform Renderer SoundDevice \
    backend/sfml/SfmlInput backend/sfml/SfmlRenderer backend/sfml/WindowSurface; do
    [ ! -e "$1/$h.h" ] || { echo "the engine's own $h.h is installed"; exit 1; }
  done
}
# The licences in both Windows zips: the project's, the font's, and those of every library
# built in, with the sources they were built from.
windows_licences=(LICENSE.txt tw-font-LICENSE.txt licenses/SOURCES.txt licenses/sfml/license.md
  licenses/freetype/FTL.TXT licenses/flac/COPYING.Xiph licenses/libogg/COPYING
  licenses/libvorbis/COPYING licenses/openal-soft/COPYING licenses/mingw-w64-runtime/copyright)

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
  # The other examples build there too, as users copy them.
  for example in hello star hunt; do
    cp -r "$src/examples/$example" "$tmp/$example-src"
    cmake -S "$tmp/$example-src" -B "$tmp/$example-cmake" -DCMAKE_PREFIX_PATH="$tmp/usr" >/dev/null
    cmake --build "$tmp/$example-cmake" >/dev/null
  done
  # The tutorial's last part packs the game: its Debian package, unpacked, runs by its command
  # in a folder of the player's, the state folder.
  cp -r "$src/examples/tutorial" "$tmp/tutorial-src"
  cmake -S "$tmp/tutorial-src/13-shipping" -B "$tmp/dungeon" -DCMAKE_PREFIX_PATH="$tmp/usr" >/dev/null
  cmake --build "$tmp/dungeon" >/dev/null
  (cd "$tmp/dungeon" && cpack >/dev/null)
  dpkg-deb -x "$tmp"/dungeon/dungeon_*.deb "$tmp/dungeon-root"
  mkdir -p "$tmp/state/dungeon"
  XDG_STATE_HOME=$tmp/state replay "$tmp/state/dungeon" tutorial-13-shipping \
    "$tmp/dungeon-root/usr/bin/dungeon"
  # Only the API is installed, and each public header compiles alone, on the installed include
  # path, so none needs a header left behind.
  no_own_headers "$tmp/usr/include/tarnwick"
  export PKG_CONFIG_PATH=$(dirname "$(find "$tmp/usr" -name tarnwick.pc)")
  mkdir "$tmp/hello" "$tmp/headers" && cd "$tmp/hello"
  for h in "$tmp"/usr/include/tarnwick/*.h; do
    echo "#include <tarnwick/${h##*/}>" >"$tmp/headers/${h##*/}.cpp"
    c++ -std=c++17 -Wall -Wextra -Wpedantic -Werror -fsyntax-only $(pkg-config --cflags tarnwick) \
      "$tmp/headers/${h##*/}.cpp" || { echo "${h##*/} does not compile alone"; exit 1; }
  done
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
  # The licences in Debian's machine-readable form: the engine's and the font's, in full.
  copyright=$tmp/root/usr/share/doc/tarnwick/copyright
  has_files "the Debian package" "$tmp/root/usr/share/doc/tarnwick" copyright
  for line in "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
    "License: Zlib" " 3. This notice may not be removed or altered from any source distribution." \
    "License: Bitstream-Vera" " ." " DejaVu changes are in public domain."; do
    grep -qxF -- "$line" "$copyright" || { echo "copyright has no line '$line'"; cat "$copyright"; exit 1; }
  done
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
    TW_WHEEL_SFML=system TW_WHEEL_BUILD=$build/wheel /usr/bin/python3 -m build --no-isolation \
      --wheel --outdir "$build/wheel/dist" "$src/python" >"$tmp/out.txt" 2>&1 ||
      { cat "$tmp/out.txt"; exit 1; }
    wheels=("$build"/wheel/dist/tarnwick-*.whl)
  fi
  [ ${#wheels[@]} -eq 1 ] || { echo "more than one wheel: ${wheels[*]}"; exit 1; }
  wheel_files "${wheels[0]}"
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
wheel-minimal)
  wheels=("$build"/dist/tarnwick-*-manylinux_*.whl)
  [ -e "${wheels[0]}" ] && [ ${#wheels[@]} -eq 1 ] ||
    { echo "no single manylinux wheel in $build/dist (make wheel builds it)"; exit 1; }
  wheel_files "${wheels[0]}"
  # The root is kept from run to run: what this run makes lies in a folder bound at /mnt.
  mnt=$tmp/mnt
  mkdir -p "$mnt/src/tests" "$mnt/src/python/tarnwick" "$mnt/run"
  cp -r "$src/tests/python" "$src/tests/data" "$mnt/src/tests/"
  cp -r "$src/examples" "$src/sounds" "$src/CMakeLists.txt" "$mnt/src/"
  cp "$src/python/tarnwick/_tarnwick.pyi" "$mnt/src/python/tarnwick/"
  cp "${wheels[0]}" "$mnt/"
  cat >"$mnt/check.sh" <<'EOF'
set -euo pipefail
# Nothing that the wheel builds in or carries is the system's here.
for l in libsfml libopenal libfreetype libFLAC libvorbis libogg libXrandr; do
  ! ls /usr/lib/x86_64-linux-gnu/$l* >/dev/null 2>&1 || { echo "the root has $l"; exit 1; }
done
python3 -m venv --system-site-packages /mnt/venv
/mnt/venv/bin/python -m pip install --quiet --no-index --no-deps --disable-pip-version-check \
  /mnt/*.whl
cd /mnt/run
package=$(/mnt/venv/bin/python -c 'import os, tarnwick; assert os.path.isfile(tarnwick.FONT_FILE)
print(os.path.dirname(tarnwick.__file__))')
ldd "$package"/_tarnwick*.so >/mnt/ldd.txt
! grep -q 'not found' /mnt/ldd.txt && grep -q "=> $package/libs/libopenal-" /mnt/ldd.txt ||
  { cat /mnt/ldd.txt; exit 1; }
ALSOFT_DRIVERS=null PYTHONDONTWRITEBYTECODE=1 /mnt/venv/bin/python -m pytest -q \
  -p no:cacheprovider /mnt/src/tests/python
EOF
  "$src/scripts/minimal-debian.sh" "$mnt" /bin/bash /mnt/check.sh
  # Given a display (make wheel-check starts a private one), the star example plays in a window
  # there too, drawn through the root's own GL, with the package's font.
  [ -n "${DISPLAY:-}" ] || { echo "no DISPLAY: not played in a window"; exit 0; }
  mkdir "$mnt/star"
  SETTINGS='' replay "$mnt/star" example-star "$src/scripts/minimal-debian.sh" "$mnt" /bin/sh -c \
    'cd /mnt/star && exec /mnt/venv/bin/python /mnt/src/examples/star/star.py'
  ;;
windows-*)
  version=$(sed -n 's/^project(Tarnwick VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
  cmake --build "$build" --target windows-package >/dev/null
  wine=("$src/scripts/wine-run.sh" --path)
  if [ "$1" = windows-game ]; then
    game="$tmp/tarnwick-$version-windows-x64"
    (cd "$tmp" && cmake -E tar xf "$build/${game##*/}.zip")
    has_files "the game's zip" "$game" tarnwick.exe openal32.dll tw-font.ttf README.txt \
      "${windows_licences[@]}"
    SETTINGS='' TW_WINEPREFIX="$tmp/prefix" replay "$game" session "${wine[@]}" . ./tarnwick.exe
  else
    sdk="$tmp/tarnwick-sdk-$version-windows-x64"
    (cd "$tmp" && cmake -E tar xf "$build/${sdk##*/}.zip")
    has_files "the SDK's zip" "$sdk" README.txt bin/openal32.dll lib/libtarnwick.a \
      lib/libsfml-graphics-s.a lib/libfreetype.a lib/libFLAC.a lib/libvorbis.a lib/libogg.a \
      "${windows_licences[@]}"
    no_own_headers "$sdk/include/tarnwick"
    cp -r "$src/examples/chase" "$tmp/chase-src"
    cmake -S "$tmp/chase-src" -B "$tmp/chase" -DCMAKE_PREFIX_PATH="$sdk" \
      -DCMAKE_TOOLCHAIN_FILE="$sdk/share/tarnwick/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$tmp/chase" >/dev/null
    cp "$sdk/bin/openal32.dll" "$tmp/chase"
    TW_WINEPREFIX="$build/wine-prefix" replay "$tmp/chase" example-chase "${wine[@]}" . ./chase.exe
    # The tutorial's game packs its own zip against the SDK: unpacked, it runs from its folder.
    cp -r "$src/examples/tutorial" "$tmp/tutorial-src"
    cmake -S "$tmp/tutorial-src/13-shipping" -B "$tmp/dungeon" -DCMAKE_PREFIX_PATH="$sdk" \
      -DCMAKE_TOOLCHAIN_FILE="$sdk/share/tarnwick/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$tmp/dungeon" >/dev/null
    (cd "$tmp/dungeon" && cpack >/dev/null)
    (cd "$tmp" && cmake -E tar xf "$tmp"/dungeon/dungeon-*-win64.zip)
    dungeon=$(echo "$tmp"/dungeon-*-win64/)
    has_files "the tutorial game's zip" "$dungeon" dungeon.exe openal32.dll tw-font.ttf level1.txt \
      "${windows_licences[@]}"
    TW_WINEPREFIX="$build/wine-prefix" replay "$dungeon" tutorial-13-shipping "${wine[@]}" . \
      ./dungeon.exe
  fi
  ;;
esac
