#!/usr/bin/env bash
# Measures the source lines each fuzzing harness's corpus (build-fuzz/corpus/ after
# scripts/fuzz.sh, and the seeds) reaches in the code it targets: a coverage build in
# build-fuzz-cov/ replays every corpus once and prints, per harness, the totals of its source
# and the lines of each function in it that reads the text.
set -uo pipefail
cd "$(dirname "$0")/.."
build=build-fuzz-cov
if ! CXX=clang++ nice -n 19 cmake -S fuzz -B "$build" -DTW_FUZZ_COVERAGE=ON >/dev/null ||
  ! nice -n 19 cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1; then
  cat "$build/build.log" >&2
  exit 1
fi
# Harness, its source, and the functions in it that read the text.
while read -r name source readers; do
  dirs=("fuzz/corpus/$name")
  [ -d "build-fuzz/corpus/$name" ] && dirs+=("build-fuzz/corpus/$name")
  [ "$name" = SpriteFile ] && dirs+=(tests/data/sprites sprites)
  [ "$name" = Recording ] && dirs+=(tests/data/replays)
  LLVM_PROFILE_FILE="$build/$name.profraw" nice -n 19 "$build/${name}Fuzzer" -runs=0 "${dirs[@]}" >"$build/$name.replay.txt" 2>&1
  llvm-profdata merge -o "$build/$name.profdata" "$build/$name.profraw"
  report() { llvm-cov report "$@" -Xdemangler=c++filt "$build/${name}Fuzzer" -instr-profile="$build/$name.profdata" "$source"; }
  report | awk -v n="$name" -v f="$source" '/^TOTAL/ {printf "%-12s %-28s functions %s, lines %s, branches %s\n", n, f, $7, $10, $13}'
  report --show-functions | grep -E "$readers" | sed 's/(anonymous namespace):://' |
    awk '{f = $1; sub(/\(.*/, "", f); printf "    %-40s %s of %s lines, branches %s\n", f, $(NF-3), $(NF-5), $NF}'
done <<'LIST'
SpriteFile engine/ResourceManager.cpp loadSprite|readTagged|readFrame|readLineInt|readLineStr
ConfigFile engine/Config.cpp readConfig|loadConfig|setSize
Match engine/utility.cpp match\(|splitRuns
Object engine/Object.cpp Object::deserialize
ViewObject engine/ViewObject.cpp ViewObject::deserialize|ViewObject::setLocation
Recording engine/Recording.cpp Recording::parse
Button engine/Button.cpp Button::deserialize
LIST
