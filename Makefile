# The two commands that matter: `make run` and `make test`. Both set up the machine first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps deps-dev build run test package clean web serve-web web-dist windows package-check

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

# The tests include the Windows edition's, run under wine: the native build is
# configured to know where the Windows build is, and the Windows build builds its
# unit tests (VORTANE_WINDOWS_TESTS=1).
test: deps-dev
	@VORTANE_WINDOWS_TESTS=1 $(MAKE) --no-print-directory windows \
	  CMAKE_FLAGS="$(CMAKE_FLAGS) -DVORTANE_WINDOWS_BUILD=$(abspath $(WINDOWS))"
	@scripts/run-tests $(BUILD)

# The Debian packages vortane and vortane-tools of everything `cmake --install` lays
# out, built as a packager builds them: a folder of their own, /usr, Debian's
# hardening flags, no tests, reproducible (CPack; see docs/PACKAGING.md).
PACKAGE ?= build-package

package: deps-dev
	@scripts/build-package $(PACKAGE) $(JOBS)

# Two package builds give the same bytes; hardening-check and lintian pass.
package-check: deps-dev
	@scripts/check-package $(PACKAGE)-check $(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD).configure.log $(WEB) $(WEB)-cmake $(WEB).zip $(WINDOWS) $(WINDOWS).configure.log \
	  $(PACKAGE) $(PACKAGE).configure.log $(PACKAGE).package.log $(PACKAGE)-check

# The Windows edition, cross-built with mingw-w64 against SDL2, PortAudio, zlib and
# libpng built from Debian's source packages (once, into $(WINDOWS)/deps). The native
# build draws and packs the data it ships. See docs/WINDOWS.md.
WINDOWS ?= build-windows

windows: deps-dev
	@$(MAKE) --no-print-directory build
	@scripts/build-windows $(BUILD) $(WINDOWS) $(JOBS)

# The web edition: both pages built with emscripten into $(WEB)/ (a folder any static
# host can serve), served on 127.0.0.1 with their precompressed copies, or zipped
# into $(WEB).zip (without vortane-sim for node).
WEB ?= build-web
WEB_PORT ?= 8000

web: deps-dev
	@$(MAKE) --no-print-directory build
	@scripts/build-web $(BUILD) $(WEB)

serve-web: web
	@scripts/serve-web $(WEB) $(WEB_PORT)

web-dist: web
	@scripts/web-dist $(WEB) $(WEB).zip

# The reliability gates and the benchmarks (docs/QUALITY.md, docs/PERFORMANCE.md).
include mk/quality.mk
include mk/bench.mk
