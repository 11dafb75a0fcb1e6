#!/usr/bin/env bash
# What CI runs: the test-size count (failing past 35 %), the web build (make web: the game and
# the examples as pages, whose tests in headless Chromium the suite then runs), the suite as
# built normally, then the
# suite and a short soak built with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/, where any report (leaks included) fails, then the Windows cross-build and its
# suite under Wine (make windows), SFML and its libraries built from Debian's source packages
# on the first run and taken from ~/.cache/tarnwick on the next; last the wheel, SFML built in,
# installed and tested in a minimal Debian 12 (make wheel-check). The project's own code is
# built with its warnings as errors throughout.
set -euo pipefail
cd "$(dirname "$0")/.."
werror=-DTW_WARNINGS_AS_ERRORS=ON
begin=$(date +%s)
scripts/test-ratio.sh --max 35
make web CMAKE_FLAGS="$werror"
web=$(date +%s)
echo "ci: web build took $((web - begin)) s"
make test CMAKE_FLAGS="$werror"
plain=$(date +%s)
echo "ci: suite, the browser's tests included, took $((plain - web)) s"
make build BUILD=build-asan CMAKE_FLAGS="-DSANITIZE=ON $werror"
scripts/with-sanitizer-env.sh scripts/with-display.sh ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
echo "ci: sanitizer suite took $(($(date +%s) - plain)) s"
# Overruns are counted, not judged: the sanitizers slow every frame several times over.
SOAK_WARMUP=45 SOAK_SEED=7 SOAK_GAME_SECONDS=15 SOAK_MAX_OVERRUNS=1000000 \
  make soak BUILD=build-asan CMAKE_FLAGS="-DSANITIZE=ON $werror" SOAK_SECONDS=90
sanitized=$(date +%s)
make windows CMAKE_FLAGS="$werror"
windows=$(date +%s)
echo "ci: Windows build and suite took $((windows - sanitized)) s"
make wheel-check
echo "ci: wheel built and checked in a minimal Debian in $(($(date +%s) - windows)) s"
