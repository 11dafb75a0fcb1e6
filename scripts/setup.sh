#!/usr/bin/env bash
# Installs the Debian packages that one use of the project needs, when missing:
#   scripts/setup.sh engine|run|test|docs|package|wheel|bench|fuzz|windows|web   (default: test)
# engine: building the engine alone; run: building and playing the game (and, with no display,
# a virtual one to play it on); test: the test suite and the soak; docs: the API reference;
# package: the Debian package; wheel: the Python wheel, SFML and its libraries built in from
# Debian's source packages, and its check in a minimal Debian; bench: the benchmarks and their
# report; fuzz: the fuzzers; windows: the Windows cross-build (MinGW-w64) and its suite under Wine;
# web: the browser build (emscripten, the stb headers, oggenc for the page's sounds) and its
# tests (Chromium, and Playwright from npm when it can be had).
set -euo pipefail
build=(cmake make g++ pkg-config libsfml-dev)
virtual_display=(xvfb xdotool x11-utils imagemagick)
# The Python module and its wheel; its checks need pytest, mypy and a virtual environment too.
python=(python3 python3-dev pybind11-dev python3-build python3-setuptools python3-wheel)
python_checks=(python3-pytest mypy python3-venv)
tests=("${build[@]}" "${virtual_display[@]}" "${python[@]}" "${python_checks[@]}" libgtest-dev
  libx11-dev rsync doxygen dpkg-dev)
case "${1:-test}" in
engine) packages=("${build[@]}") ;;
run)
  packages=("${build[@]}")
  [ -n "${DISPLAY:-}" ] || packages+=("${virtual_display[@]}")
  ;;
test) packages=("${tests[@]}") ;;
docs) packages=("${build[@]}" doxygen) ;;
package) packages=("${build[@]}" "${python[@]}" dpkg-dev) ;;
wheel)
  # SFML's window needs X11, Xrandr, udev and GL; OpenAL Soft's ALSA and PulseAudio backends,
  # which it loads at run time, need their headers to be built.
  packages=(cmake make g++ pkg-config "${python[@]}" dpkg-dev libx11-dev libxrandr-dev
    libudev-dev libgl-dev libasound2-dev libpulse-dev patchelf binutils debootstrap xvfb)
  ;;
bench) packages=("${tests[@]}" libbenchmark-dev gnuplot-nox) ;;
fuzz) packages=("${build[@]}" clang libclang-rt-14-dev llvm) ;;
windows) packages=(cmake make dpkg-dev xz-utils mingw-w64 wine64 libgtest-dev "${virtual_display[@]}") ;;
web)
  packages=(cmake make emscripten libstb-dev vorbis-tools chromium python3)
  command -v npm >/dev/null || packages+=(npm) # Node.js's own packaging may carry it
  ;;
*)
  echo "usage: $0 engine|run|test|docs|package|wheel|bench|fuzz|windows|web" >&2
  exit 2
  ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Run: sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The browser tests' Playwright, from npm by its lock file, once; offline, the build goes on and
# the browser tests are skipped.
web_tests="$(dirname "$0")/../tests/web"
if [ "${1:-test}" = web ] && [ -f "$web_tests/package-lock.json" ] && [ ! -d "$web_tests/node_modules" ]; then
  if ! command -v npm >/dev/null || ! npm ci --prefix "$web_tests" --no-audit --no-fund >/dev/null; then
    echo "Playwright could not be installed in tests/web: the browser tests will be skipped." >&2
  fi
fi
