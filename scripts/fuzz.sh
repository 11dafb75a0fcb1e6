#!/usr/bin/env bash
# Builds the fuzzing harnesses of fuzz/ with clang in build-fuzz/ and runs each for
# FUZZ_SECONDS seconds (default 60), one after another, at the lowest priority. The corpus
# each run grows stays in build-fuzz/corpus/; the seeds in fuzz/corpus/ are only read.
# Prints executions and coverage (edges of the instrumented engine reached) per harness; fails
# if any harness found a fault, whose input is then in build-fuzz/artifacts/.
#   FUZZERS="Match Object" scripts/fuzz.sh   runs only those harnesses.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60} build=${FUZZ_BUILD:-build-fuzz}
if ! CXX=clang++ nice -n 19 cmake -S fuzz -B "$build" >/dev/null ||
  ! nice -n 19 cmake --build "$build" -j "$(nproc)" >"$build/build.log" 2>&1; then
  cat "$build/build.log" >&2
  echo "fuzz: the harnesses did not build" >&2
  exit 1
fi
# Leaks are faults; any sanitizer report ends the run with the input that caused it.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:symbolize=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
failed=()
for name in ${FUZZERS:-SpriteFile ConfigFile Match Object ViewObject TextObject Button Recording}; do
  work="$build/corpus/$name" artifacts="$build/artifacts/$name" log="$build/logs/$name.txt"
  mkdir -p "$work" "$artifacts" "$build/logs"
  seeds=("fuzz/corpus/$name")
  [ "$name" = SpriteFile ] && seeds+=(tests/data/sprites sprites)
  [ "$name" = Recording ] && seeds+=(tests/data/replays)
  dict=()
  [ -f "fuzz/$name.dict" ] && dict=("-dict=fuzz/$name.dict")
  nice -n 19 "$build/${name}Fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -print_final_stats=1 -artifact_prefix="$artifacts/" "${dict[@]}" \
    "$work" "${seeds[@]}" >"$log" 2>&1
  status=$?
  result=ok
  if [ "$status" -ne 0 ] || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$log"; then
    result="FAULT (exit $status, see $log and $artifacts)"
    failed+=("$name")
  fi
  last=$(grep -E '^#[0-9]+' "$log" | tail -n 1)
  printf '%-12s %6ss  executions %-10s coverage %5s of %-5s edges, features %-6s corpus %-5s %s\n' \
    "$name" "$seconds" "$(awk '/number_of_executed_units/ {print $2}' "$log" | tail -n 1)" \
    "$(grep -oE 'cov: [0-9]+' <<<"$last" | cut -d' ' -f2)" \
    "$(grep -m1 -oE 'Loaded 1 modules +\([0-9]+' "$log" | grep -oE '[0-9]+$')" \
    "$(grep -oE 'ft: [0-9]+' <<<"$last" | cut -d' ' -f2)" "$(ls "$work" | wc -l)" "$result"
done
[ ${#failed[@]} -eq 0 ] || { echo "fuzz: faults in ${failed[*]}" >&2; exit 1; }
