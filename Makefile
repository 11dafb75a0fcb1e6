# make run      builds the game and starts it (on a virtual display when there is none);
#               make run EXAMPLE=tutorial/01-walls builds an example of examples/ and starts it
#               from its build folder (EXAMPLE=chase, gallery/sprites...)
# make test     builds everything and runs the whole test suite on a private virtual display
# make docs     writes the engine's API reference to build/docs/html (Doxygen)
# make package  builds the Debian package of the game and the engine in build-package/
# make wheel    builds the Python module's wheel into build-wheel/dist/: the engine, and SFML and
#               its libraries built from Debian's source packages (once, about 10 minutes), linked
#               in; OpenAL Soft and the rest carried inside
# make wheel-check  make wheel, then installs the wheel in a minimal Debian 12 (debootstrap, kept
#               in ~/.cache/tarnwick; needs root) and runs the Python tests there
# make engine   builds the engine library alone, not the game, the examples or the tests; with
#               PREFIX=DIR, installs it there for games of your own (library, headers, CMake
#               package, tarnwick.pc and font; not the game)
# make windows cross-builds the engine, the game, the examples and the suite for 64-bit Windows
#               with MinGW-w64 in build-windows/, and runs the suite under Wine on a private
#               virtual display. SFML and its libraries are built first from Debian's source
#               packages (scripts/build-deps.sh, once: kept in ~/.cache/tarnwick);
#               SFML_SOURCE=PATH builds an SFML 2.5.1 of your own (a tree or its archive)
# make windows-package  the Windows zips of the game and of the engine's SDK (after make windows)
# make web     builds the game and the C++ examples for the browser with Debian's emscripten in
#               build-web/: a page per program (.html, .js, .wasm, .data) and index.html
# make serve   make web, then serves build-web/ at http://127.0.0.1:$(PORT)/ for playing locally
# Each target first installs the Debian packages it needs (scripts/setup.sh).
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)
# Which packages setup installs; each target below names its own, and its prerequisites
# (build, configure) inherit it.
SETUP ?= test

.PHONY: run test build setup configure clean

setup:
	@scripts/setup.sh $(SETUP)

configure: setup
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS) $(TARGETS)

EXAMPLE ?=
run: SETUP = run
run: TARGETS = --target $(if $(EXAMPLE),$(subst /,-,$(EXAMPLE)),tarnwick)
run: build
ifeq ($(EXAMPLE),)
	@scripts/run.sh $(BUILD)/tarnwick
else
	@cd $(BUILD)/examples/$(EXAMPLE) && exec ./$(subst /,-,$(EXAMPLE))
endif

test: SETUP = test
test: build
	@scripts/with-display.sh ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)

.PHONY: engine
PREFIX ?=
engine: SETUP = engine
engine: TARGETS = --target tw_engine
engine: build
	@if [ -n "$(PREFIX)" ]; then \
		cmake --install $(BUILD) --prefix "$(PREFIX)" --component engine && \
		cmake --install $(BUILD) --prefix "$(PREFIX)" --component headers; fi

.PHONY: docs package
docs: SETUP = docs
docs: configure
	@cmake --build $(BUILD) --target docs

# A release build installed under /usr, packed by CPack: tarnwick_<version>_<arch>.deb
package: SETUP = package
package: setup
	@cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
		-DTW_BUILD_TESTS=OFF -DTW_BUILD_EXAMPLES=OFF >/dev/null
	@cmake --build build-package -j $(JOBS)
	@cd build-package && cpack
	@ls build-package/tarnwick_*.deb

# The wheel for Debian's python3, built offline with Debian's setuptools (python/setup.py runs
# CMake in build-wheel/, and scripts/build-deps.sh linux for SFML):
# tarnwick-<version>-cp311-cp311-manylinux_<glibc>_x86_64.whl
.PHONY: wheel wheel-check
wheel: SETUP = wheel
wheel: setup
	@rm -f build-wheel/dist/tarnwick-*.whl
	@CMAKE_BUILD_PARALLEL_LEVEL=$(JOBS) TW_WHEEL_BUILD=$(CURDIR)/build-wheel \
		/usr/bin/python3 -m build --no-isolation --wheel --outdir build-wheel/dist python
	@ls -l build-wheel/dist/tarnwick-*.whl

wheel-check: SETUP = wheel
wheel-check: wheel
	@scripts/with-display.sh tests/install-test.sh wheel-minimal build-wheel

.PHONY: bench
# make bench  builds in Release, runs every benchmark on the current display (Xvfb when there
#             is none; the report says which), the game's page in headless Chromium too (make
#             web), and writes bench/REPORT.md with its plots
bench: SETUP = bench
bench: setup
	@$(MAKE) --no-print-directory web
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTW_BUILD_BENCH=ON -DTW_BUILD_TESTS=OFF >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@scripts/with-display.sh --current scripts/bench.sh build-bench

# make fuzz   builds the fuzzing harnesses with clang and runs each FUZZ_SECONDS seconds
# make soak   plays the real game with random input for SOAK_SECONDS seconds (default 1800)
#             on a private virtual display; with BUILD=build-asan CMAKE_FLAGS=-DSANITIZE=ON,
#             the sanitizer build
FUZZ_SECONDS ?= 60
SOAK_SECONDS ?= 1800
.PHONY: fuzz soak
fuzz: SETUP = fuzz
fuzz: setup
	@FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh

soak: SETUP = test
soak: build
	@SOAK_SECONDS=$(SOAK_SECONDS) TARNWICK=$(BUILD)/tarnwick scripts/with-sanitizer-env.sh \
		scripts/with-display.sh scripts/soak.sh out/soak

WINDOWS_BUILD ?= build-windows
SFML_SOURCE ?=
.PHONY: windows windows-build windows-package
windows-build: SETUP = windows
windows-build: setup
	@cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
		$(if $(SFML_SOURCE),-DSFML_SOURCE=$(abspath $(SFML_SOURCE))) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)

windows: windows-build
	@scripts/with-display.sh scripts/wine-run.sh --path $(WINDOWS_BUILD) --server \
		ctest --test-dir $(WINDOWS_BUILD) --output-on-failure --no-tests=error -j $(JOBS)

windows-package: windows-build
	@cmake --build $(WINDOWS_BUILD) --target windows-package

WEB_BUILD ?= build-web
PORT ?= 8000
.PHONY: web serve
# Debian's emscripten runs its JavaScript tools with node, which finds their modules there.
web: export NODE_PATH = /usr/share/nodejs
web: SETUP = web
web: setup
	@emcmake cmake -S . -B $(WEB_BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(WEB_BUILD) -j $(JOBS)

serve: web
	@echo "Serving $(WEB_BUILD)/ at http://127.0.0.1:$(PORT)/ (Ctrl-C stops)"
	@python3 -m http.server $(PORT) --bind 127.0.0.1 --directory $(WEB_BUILD)
