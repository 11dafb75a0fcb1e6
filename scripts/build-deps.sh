#!/usr/bin/env bash
# Builds SFML 2.5.1 and the libraries it uses from Debian's source packages into a prefix kept
# outside the build trees, and prints the prefix:
#   scripts/build-deps.sh windows   cross-built for 64-bit Windows with MinGW-w64: static
#                                   libraries, OpenAL Soft as OpenAL32.dll
#   scripts/build-deps.sh linux     static and position-independent, for the Python wheel; OpenAL
#                                   Soft as libopenal.so.1
# FreeType, FLAC, Ogg and Vorbis are static; OpenAL Soft (LGPL) stays a shared library that a
# user can replace. The prefix is $XDG_CACHE_HOME/tarnwick/TARGET-deps-HASH (~/.cache when unset;
# TW_DEPS_CACHE names another folder), HASH being that of this recipe, so a second run finds it
# built and a changed recipe builds anew. SFML_SOURCE (a tree or an archive of SFML 2.5.1) is
# built instead of Debian's SFML. The prefix holds share/licenses/: each library's licence texts,
# Debian's copyright file and SOURCES.txt, which names every source and its SHA-256.
set -euo pipefail
target=${1:-}
case "$target" in windows | linux) ;; *)
  echo "usage: $0 windows|linux" >&2
  exit 2
  ;;
esac
src=$(cd "$(dirname "$0")/.." && pwd)
cache=${TW_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tarnwick}
mkdir -p "$cache"
cache=$(cd "$cache" && pwd)

sfml=${SFML_SOURCE:-}
[ -z "$sfml" ] || sfml=$(cd "$(dirname "$sfml")" && pwd)/$(basename "$sfml")
recipe=$(cat "$0" "$src/scripts/debian-source.sh" "$src/cmake/mingw-w64-x86_64.cmake"
  echo "$target $sfml")
hash=$(sha256sum <<<"$recipe" | cut -c1-12)
prefix=$cache/$target-deps-$hash
if [ -f "$prefix/share/licenses/SOURCES.txt" ]; then
  echo "$prefix"
  exit 0
fi

# One build of a prefix at a time; a second caller waits and then finds it built.
exec 9>"$cache/.$target-deps.lock"
flock 9
if [ -f "$prefix/share/licenses/SOURCES.txt" ]; then
  echo "$prefix"
  exit 0
fi
log=$cache/$target-deps-$hash.log
echo "build-deps: building SFML and its libraries for $target into $prefix (log: $log)" >&2
echo "build-deps: about 8 minutes on two cores, once per recipe" >&2
exec 3>&2 2>"$log"
begin=$(date +%s)

sources=$cache/sources
"$src/scripts/debian-source.sh" "$sources" bookworm libogg libvorbis flac freetype libsfml >&2
# bookworm's openal-soft tarball is not served; trixie's release is the one built.
"$src/scripts/debian-source.sh" "$sources" trixie openal-soft/upstream >&2

rm -rf "$prefix" "$cache/build-$target"
work=$cache/build-$target
mkdir -p "$work" "$prefix/share/licenses"
jobs=$(nproc)
common=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix"
  -DCMAKE_INSTALL_LIBDIR=lib -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF
  -DCMAKE_POLICY_DEFAULT_CMP0077=NEW -Wno-dev)
if [ "$target" = windows ]; then
  common+=(-DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake")
else
  common+=(-DCMAKE_POSITION_INDEPENDENT_CODE=ON)
fi

build() { # NAME SOURCE-TREE CMAKE-OPTIONS...
  local name=$1 tree=$2
  shift 2
  echo "build-deps: $name" >&3
  cmake -S "$tree" -B "$work/$name" "${common[@]}" "$@" >&2
  cmake --build "$work/$name" -j "$jobs" >&2
  cmake --install "$work/$name" >&2
}
licence() { # NAME FILE...   the package's licence texts, and Debian's copyright file
  local name=$1 tree=$sources/$1
  shift
  mkdir -p "$prefix/share/licenses/$name"
  for f in "$@"; do cp "$tree/$f" "$prefix/share/licenses/$name/"; done
  [ ! -f "$tree/debian/copyright" ] || cp "$tree/debian/copyright" "$prefix/share/licenses/$name/"
}

build ogg "$sources/libogg" -DINSTALL_DOCS=OFF
licence libogg COPYING
build vorbis "$sources/libvorbis"
licence libvorbis COPYING
build flac "$sources/flac" -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOCS=OFF \
  -DBUILD_CXXLIBS=OFF -DINSTALL_MANPAGES=OFF -DWITH_STACK_PROTECTOR=OFF -DWITH_OGG=ON
licence flac COPYING.Xiph
build freetype "$sources/freetype" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
  -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
licence freetype LICENSE.TXT docs/FTL.TXT
openal=(-DBUILD_SHARED_LIBS=ON -DLIBTYPE=SHARED -DALSOFT_UTILS=OFF -DALSOFT_EXAMPLES=OFF
  -DALSOFT_TESTS=OFF -DALSOFT_INSTALL_CONFIG=OFF -DALSOFT_INSTALL_HRTF_DATA=OFF
  -DALSOFT_INSTALL_AMBDEC_PRESETS=OFF -DALSOFT_INSTALL_EXAMPLES=OFF -DALSOFT_INSTALL_UTILS=OFF)
# The DLL carries its own C and C++ runtimes, as the programs do.
[ "$target" = linux ] || openal+=(-DCMAKE_SHARED_LINKER_FLAGS=-static)
build openal "$sources/openal-soft" "${openal[@]}"
licence openal-soft COPYING

if [ -n "$sfml" ]; then
  if [ -d "$sfml" ]; then
    sfml_tree=$sfml
  else
    sfml_tree=$work/sfml-src
    mkdir -p "$sfml_tree"
    tar -xf "$sfml" -C "$sfml_tree" --strip-components=1
  fi
else
  sfml_tree=$sources/libsfml
fi
# Static FLAC's headers declare its functions for a DLL unless told otherwise.
build sfml "$sfml_tree" -DSFML_USE_SYSTEM_DEPS=ON -DSFML_BUILD_NETWORK=OFF \
  -DSFML_BUILD_EXAMPLES=OFF -DSFML_BUILD_DOC=OFF -DSFML_USE_STATIC_STD_LIBS="$([ "$target" = windows ] && echo ON || echo OFF)" \
  -DCMAKE_CXX_FLAGS="-DFLAC__NO_DLL -w" -DCMAKE_C_FLAGS="-DFLAC__NO_DLL -w"
mkdir -p "$prefix/share/licenses/sfml"
cp "$sfml_tree/license.md" "$prefix/share/licenses/sfml/"
[ -n "$sfml" ] || cp "$sources/libsfml/debian/copyright" "$prefix/share/licenses/sfml/"
# SFML installs its licence and readme at the top of the prefix.
rm -f "$prefix/license.md" "$prefix/readme.md"

{
  echo "Built for $target from these sources, each checked against the SHA-256 of the signed"
  echo "Debian archive index it was fetched through:"
  for p in libogg libvorbis flac freetype openal-soft libsfml; do
    [ "$p" != libsfml ] || [ -z "$sfml" ] || { echo; echo "sfml: $(basename "$sfml"), given by the builder"; continue; }
    echo
    echo "$p $(cat "$sources/$p.version")"
    (cd "$sources/$p.files" && sha256sum -- *)
  done
} >"$prefix/share/licenses/SOURCES.txt.partial"
rm -rf "$work"
echo "build-deps: done in $(($(date +%s) - begin)) s" >&3
mv "$prefix/share/licenses/SOURCES.txt.partial" "$prefix/share/licenses/SOURCES.txt"
echo "$prefix"
