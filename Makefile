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

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD)
