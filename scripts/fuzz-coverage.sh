#!/usr/bin/env bash
# Measures the source lines each fuzzing harness's corpus (build-fuzz/corpus/ after
# scripts/fuzz.sh, and the seeds) reaches in the code it targets: a coverage build in
# build-fuzz-cov/ replays every corpus once and prints one line per harness.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
build=build-fuzz-cov
if ! CXX=clang++ nice -n 19 cmake -S fuzz -B "$build" -DTW_FUZZ_COVERAGE=ON >/dev/null ||
  ! nice -n 19 cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1; then
  cat "$build/build.log" >&2
  exit 1
fi
# The sources each harness is for, and the functions in them that read the text.
declare -A targets=(
  [SpriteFile]="engine/ResourceManager.cpp"
  [ConfigFile]="engine/Config.cpp"
  [Match]="engine/utility.cpp"
  [Object]="engine/Object.cpp"
  [ViewObject]="engine/ViewObject.cpp"
  [Button]="engine/Button.cpp"
)
declare -A readers=(
  [SpriteFile]="loadSprite|readTagged|readFrame|readLineInt|readLineStr"
  [ConfigFile]="readConfig|loadConfig|setSize"
  [Match]="match\\(|splitRuns"
  [Object]="Object::deserialize"
  [ViewObject]="ViewObject::deserialize|ViewObject::setLocation"
  [Button]="Button::deserialize"
)
for name in SpriteFile ConfigFile Match Object ViewObject Button; do
  dirs=("fuzz/corpus/$name")
  [ -d "build-fuzz/corpus/$name" ] && dirs+=("build-fuzz/corpus/$name")
  [ "$name" = SpriteFile ] && dirs+=(tests/data/sprites sprites)
  rm -f "$build/$name".prof*
  LLVM_PROFILE_FILE="$build/$name.profraw" nice -n 19 "$build/${name}Fuzzer" -runs=0 \
    "${dirs[@]}" >"$build/$name.replay.txt" 2>&1
  llvm-profdata merge -o "$build/$name.profdata" "$build/$name.profraw"
  # The function lines of the sources the harness is for.
  llvm-cov report "$build/${name}Fuzzer" -instr-profile="$build/$name.profdata" \
    "${targets[$name]}" | awk -v n="$name" -v f="${targets[$name]}" \
    '/^TOTAL/ {printf "%-12s %-28s functions %s, lines %s, branches %s\n", n, f, $7, $10, $13}'
  llvm-cov report --show-functions -Xdemangler=c++filt "$build/${name}Fuzzer" \
    -instr-profile="$build/$name.profdata" "${targets[$name]}" |
    grep -E "${readers[$name]}" | sed 's/(anonymous namespace):://' |
    awk '{f = $1; sub(/\(.*/, "", f); printf "    %-40s %s of %s lines, branches %s\n", f, $(NF-3), $(NF-5), $NF}'
done
