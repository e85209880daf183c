# `make bench`: a Release build in its own folder (the same -ffp-contract=off as
# every build), then every benchmark under a virtual display. Options for the
# benchmark binary go in BENCH_ARGS, e.g.
#   make bench BENCH_ARGS=--benchmark_filter=GridStep
# and `make bench-profile` adds the instruction profiles of the worst frame and
# the worst world step (valgrind's callgrind).
BENCH_BUILD ?= build-bench
BENCH_ARGS ?=
JOBS ?= $(shell nproc)

.PHONY: bench bench-build bench-profile

bench-build: deps-dev
	@cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release > $(BENCH_BUILD).configure.log 2>&1 || (cat $(BENCH_BUILD).configure.log; exit 1)
	@cmake --build $(BENCH_BUILD) -j $(JOBS) --target vortane-bench

bench: bench-build
	@scripts/bench $(BENCH_BUILD) $(BENCH_ARGS)

bench-profile: bench-build
	@scripts/bench --profile $(BENCH_BUILD)

# `make bench-web`: the browser page's frames a second over a blank WebGL page's of
# the same canvas, both in one headless Chromium on software WebGL (SwiftShader),
# taken in turns. Options for the script go in BENCH_WEB_ARGS, e.g.
#   make bench-web BENCH_WEB_ARGS="--rounds 5 --page vortane-classic.html"
BENCH_WEB_ARGS ?=

.PHONY: bench-web

bench-web: web
	@python3 bench/browser_frame_rate.py $(WEB) $(BENCH_WEB_ARGS)
