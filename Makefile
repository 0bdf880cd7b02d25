# For those who have make: the same steps as the README's two commands, which need no make
# (scripts/play and scripts/test hold the steps).
#   make run     install what is missing, build, generate the data, play   (scripts/play)
#   make test    install what is missing, build, run every test            (scripts/test)
#   make check   the normal build and its quick tests, the quick round    (scripts/test --quick)
#   make bench   every figure of the speed table
BUILD ?= build
JOBS ?= $(shell nproc)
export BUILD JOBS

.PHONY: deps build run test check clean bench

deps:
	scripts/deps

build:
	scripts/build $(BUILD)

run:
	scripts/play

test:
	scripts/test

check:
	scripts/test --quick

clean:
	rm -rf $(BUILD)

# `make bench`: a Release build in build-bench, then every figure of the speed table with its
# spread (benchmarks and their ratios, peak memory of a whole headless game, CPU use inactive,
# and sessions of the real game on both present paths: CPU, presents, curtains, memory, start-up).
bench:
	scripts/deps xvfb xauth time xdotool imagemagick
	scripts/build --target kalkulon --target kalkulon_bench --target kalkulon_whole_game \
	  --target kalkulon_present_counter build-bench
	bench/measure.sh build-bench
