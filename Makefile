# The two commands that matter: `make run` and `make test`. Both set up the machine first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps deps-dev build run test package clean web serve-web

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
	rm -rf $(BUILD) $(BUILD).configure.log $(WEB) $(WEB)-cmake

# The web edition: both pages built with emscripten into $(WEB)/, served on 127.0.0.1.
WEB ?= build-web
WEB_PORT ?= 8000

web: deps-dev
	@$(MAKE) --no-print-directory build
	@scripts/build-web $(BUILD) $(WEB)

serve-web: web
	@echo "Open http://127.0.0.1:$(WEB_PORT)/vortane.html or http://127.0.0.1:$(WEB_PORT)/vortane-classic.html (Ctrl+C stops)"
	@python3 -m http.server --bind 127.0.0.1 --directory $(WEB) $(WEB_PORT)

# The reliability gates and the benchmarks (docs/QUALITY.md, docs/PERFORMANCE.md).
include mk/quality.mk
include mk/bench.mk
