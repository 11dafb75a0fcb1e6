# make run   builds the game and starts it (on a virtual display when there is none)
# make test  builds everything and runs the whole test suite
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: run test build setup configure clean

setup:
	@scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)/tarnwick

test: build
	@scripts/with-display.sh ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)

.PHONY: bench
bench: setup
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTW_BUILD_BENCH=ON -DTW_BUILD_TESTS=OFF >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@scripts/with-display.sh sh -c 'for b in build-bench/bench/*; do [ -x "$$b" ] && [ -f "$$b" ] && "$$b"; done'
