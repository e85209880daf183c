# The two commands that matter: `make run` and `make test`. Both set up the machine first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps deps-dev build run test package clean

all: build

# The build/play set (make run) and, for tests, gates and packaging, the development set.
deps:
	@scripts/install-deps

deps-dev:
	@scripts/install-deps --dev

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > $(BUILD).configure.log 2>&1 || (cat $(BUILD).configure.log; exit 1)
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run-game $(BUILD)/run/vortane

test: deps-dev
	@$(MAKE) --no-print-directory build
	@scripts/run-tests $(BUILD)

# A Debian package of everything `cmake --install` lays out (CPack; see docs/PACKAGING.md).
package: deps-dev
	@$(MAKE) --no-print-directory build
	@cpack -G DEB --config $(BUILD)/CPackConfig.cmake -B $(BUILD) > $(BUILD).package.log 2>&1 || (cat $(BUILD).package.log; exit 1)
	@ls $(BUILD)/vortane_*.deb

clean:
	rm -rf $(BUILD) $(BUILD).configure.log

# The reliability gates and the benchmarks (docs/QUALITY.md, docs/PERFORMANCE.md).
include mk/quality.mk
include mk/bench.mk
