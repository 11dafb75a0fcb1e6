#!/usr/bin/env bash
# Lines of test code against lines of engine, game, Python module and example code: non-blank
# lines that are not only a comment. The examples count as code: they are what users copy. Test
# code is everything that exists only to test: tests/ and fuzz/ in every language, and the
# scripts that only the tests, the soak, the fuzzers and CI use.
# With --max PCT, exits 1 when the share passes PCT per cent; -v lists every file.
set -euo pipefail
cd "$(dirname "$0")/.."

test_scripts=(scripts/soak.sh scripts/fuzz.sh scripts/fault-check.sh
  scripts/with-sanitizer-env.sh scripts/ci-sanitizers.sh scripts/minimal-debian.sh)

# Counts one file's code lines: C-like and JavaScript files skip // lines, the rest skip #
# lines.
count() {
  case "$1" in
  *.cpp | *.h | *.mjs | *.js) grep -c -v -E '^\s*(//.*)?$' "$1" || true ;;
  *) grep -c -v -E '^\s*(#.*)?$' "$1" || true ;;
  esac
}
total() {
  local sum=0 n
  for f in "$@"; do
    [ -f "$f" ] || continue
    n=$(count "$f")
    [ "$verbose" = 1 ] && printf '%6d %s\n' "$n" "$f" >&2
    sum=$((sum + n))
  done
  echo "$sum"
}

max="" verbose=0
while [ $# -gt 0 ]; do
  case "$1" in
  --max) max=$2; shift 2 ;;
  -v) verbose=1; shift ;;
  *) echo "usage: $0 [-v] [--max PCT]" >&2; exit 2 ;;
  esac
done

# The Python module's type stub is its interface, as the headers are the engine's.
mapfile -t code_files < <(git ls-files -co --exclude-standard -- engine game python examples |
  grep -E '\.(cpp|h|py|pyi|mjs|js)$')
mapfile -t test_files < <(git ls-files -co --exclude-standard -- tests fuzz |
  grep -E '(\.(cpp|h|sh|py|mjs|cmake)|CMakeLists\.txt)$')
code=$(total "${code_files[@]}")
tests=$(total "${test_files[@]}" "${test_scripts[@]}")
pct=$(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.1f", 100 * t / c }')
echo "code: $code lines in engine/, game/, python/ and examples/"
echo "tests: $tests lines in tests/, fuzz/ and test scripts"
echo "tests are $pct % of the code"
if [ -n "$max" ] && awk -v p="$pct" -v m="$max" 'BEGIN { exit !(p > m) }'; then
  echo "test-ratio: more than $max %" >&2
  exit 1
fi
