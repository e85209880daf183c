# The two commands that matter: `make run` and `make test`. Both set up the machine first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps build run test clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > $(BUILD).configure.log 2>&1 || (cat $(BUILD).configure.log; exit 1)
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-game $(BUILD)/run/vortane

test: build
	@scripts/run-tests $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD).configure.log

# The reliability gates and the benchmarks (docs/QUALITY.md, docs/PERFORMANCE.md).
include mk/quality.mk
include mk/bench.mk
