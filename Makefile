# The two commands: `make run` (install what is missing, build, generate the data, play) and
# `make test` (install what is missing, build, run every test).
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps build run test clean

deps:
	scripts/deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: build
	cd $(BUILD)/game && ./kalkulon

# `make test`: what is missing installed (clang for the fuzzers too), the normal build and every
# test; the same tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan; then each fuzz target for a minute over its seeds (scripts/fuzz, build-fuzz).
# `make check`: only the normal build and its tests, the quick round while working.
ASAN_BUILD ?= build-asan
.PHONY: check
test:
	scripts/deps clang libclang-rt-14-dev
	$(MAKE) check
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKALKULON_SANITIZE=ON -DKALKULON_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)
	scripts/fuzz 60

check: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD)

# `make bench`: a Release build in build-bench, then every figure of the speed table (benchmark
# medians, peak memory of a whole headless game, CPU use inactive and active, present rate).
.PHONY: bench
bench:
	scripts/deps xvfb xauth time
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j$(JOBS) --target kalkulon kalkulon_bench kalkulon_whole_game kalkulon_present_counter
	bench/measure.sh build-bench
