#!/usr/bin/env bash
# Applies each deliberate fault of tests/faults.txt to a clean copy of the tree, builds it and
# runs the test suite against it; a fault is caught when a test fails. Prints one line a
# fault and a summary. Usage: scripts/fault-check.sh [-o OUT] [NAME...]
# Work is kept in build-faults/ (the copy and its build), so that a fault rebuilds only what
# it touches. The soak is left out, and the programs run as processes go last, when nothing
# else caught the fault. TW_FAULT_ONLY runs only the tests it names (a regex), to see what
# they catch alone.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD work=$PWD/build-faults out=build-faults/results.txt
if [ "${1:-}" = -o ]; then out=$2; shift 2; fi
mkdir -p "$work"

# The copy keeps its files' times, so the build redoes only what changed; the files that
# faults touch are rebuilt once, in case an earlier run stopped with a fault in place.
rsync -a --delete --exclude='/build*' --exclude=/out --exclude=/.git "$root/" "$work/src/"
grep -v -E '^(#|\s*$)' tests/faults.txt | awk -F ' @@ ' '{ print $2 }' | sort -u |
  (cd "$work/src" && xargs touch)
if ! cmake -S "$work/src" -B "$work/build" >/dev/null ||
  ! cmake --build "$work/build" -j "$(nproc)" >"$work/build.log" 2>&1; then
  echo "fault-check: the clean tree does not build (see $work/build.log)" >&2
  exit 1
fi

# Applies fault NAME to the copy (or, with no name, restores every file it touches).
apply() {
  python3 - "$root/tests/faults.txt" "$work/src" "$root" "$@" <<'PY'
import os, sys
faults, src, root = sys.argv[1:4]
name = sys.argv[4] if len(sys.argv) > 4 else None
texts = {}
for line in open(faults):
    if line.startswith("#") or not line.strip():
        continue
    fname, path, old, new = [f.strip().replace("\\n", "\n") for f in line.split(" @@ ")]
    clean = texts.setdefault(path, open(os.path.join(root, path)).read())
    if fname == name:
        if clean.count(old) != 1:
            sys.exit(f"fault {name}: the text to find stands {clean.count(old)} times in {path}")
        texts[path] = clean.replace(old, new)
for path, text in texts.items():
    if open(os.path.join(src, path)).read() != text:
        open(os.path.join(src, path), "w").write(text)
PY
}

run() { scripts/with-display.sh ctest --test-dir "$work/build" -j "$(nproc)" --stop-on-failure "$@"; }
names=("$@")
[ ${#names[@]} -gt 0 ] || mapfile -t names < <(grep -v -E '^(#|\s*$)' tests/faults.txt | sed 's/ @@ .*//')
: >"$out"
caught=0
for name in "${names[@]}"; do
  apply
  result=missed
  if ! apply "$name"; then
    result="not applied"
  elif ! cmake --build "$work/build" -j "$(nproc)" >"$work/fault.log" 2>&1; then
    result="does not build"
  elif ! run -R "${TW_FAULT_ONLY:-.}" -E "Soak|EndToEnd|BrokenData|install" >"$work/ctest.log" 2>&1 ||
    ! run -R "${TW_FAULT_ONLY:-EndToEnd|BrokenData}" -E Soak >>"$work/ctest.log" 2>&1; then
    caught=$((caught + 1))
    result="caught by $(grep -m1 -E '\*\*\*(Failed|Timeout|Exception)|Failed\s+[0-9.]+ sec' \
      "$work/ctest.log" | sed -E 's/.*Test +#[0-9]+: ([^ ]+).*/\1/')"
  fi
  printf '%-36s %s\n' "$name" "$result" | tee -a "$out"
done
apply
echo "fault-check: $caught of ${#names[@]} faults caught" | tee -a "$out"
