#!/usr/bin/env bash
# Installs the Debian packages that one use of the project needs, when missing:
#   scripts/setup.sh engine|run|test|docs|package|wheel|bench|fuzz|windows   (default: test)
# engine: building the engine alone; run: building and playing the game (and, with no display,
# a virtual one to play it on); test: the test suite and the soak; docs: the API reference;
# package: the Debian package; wheel: the Python wheel, SFML and its libraries built in from
# Debian's source packages, and its check in a minimal Debian; bench: the benchmarks and their
# report; fuzz: the fuzzers; windows: the Windows cross-build (MinGW-w64) and its suite under Wine.
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
*)
  echo "usage: $0 engine|run|test|docs|package|wheel|bench|fuzz|windows" >&2
  exit 2
  ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run: sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
