#!/usr/bin/env bash
# The whole test suite twice: as built normally, then built with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/, where any report (leaks included) fails its test.
set -euo pipefail
cd "$(dirname "$0")/.."
begin=$(date +%s)

make test
plain=$(date +%s)
echo "ci: suite took $((plain - begin)) s"

make build BUILD=build-asan CMAKE_FLAGS=-DSANITIZE=ON
scripts/with-sanitizer-env.sh scripts/with-display.sh \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
echo "ci: sanitizer suite took $(($(date +%s) - plain)) s"
