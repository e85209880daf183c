# Reliability gates (docs/QUALITY.md), included by the top Makefile:
#
#   make sanitize        ASan+UBSan build and test run (build-asan), then TSan (build-tsan)
#   make sanitize-asan   only the first;  make sanitize-tsan  only the second
#   make fuzz            every libFuzzer target for FUZZ_SECONDS each (default 60; clang, build-fuzz)
#   make soak            the soak tests of $(BUILD) (also part of make test, label soak)
#   make e2e             the end-to-end tests of $(BUILD) (also part of make test, label e2e)
#   make check-format    clang-format --dry-run --Werror over every tracked source
#   make static-check    cppcheck over our sources (.cppcheck holds the chosen checks)
#   make quality-ci      what CI runs after make test: static checks, sanitize, a 20 s fuzz pass
FUZZ_SECONDS ?= 60
CI_FUZZ_SECONDS ?= 20
BUILD ?= build

.PHONY: sanitize sanitize-asan sanitize-tsan fuzz soak e2e check-format static-check quality-ci

sanitize: deps-dev
	@scripts/sanitize all

sanitize-asan: deps-dev
	@scripts/sanitize asan

sanitize-tsan: deps-dev
	@scripts/sanitize tsan

fuzz: deps-dev
	@FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz

soak: build
	@scripts/run-tests $(BUILD) -L soak

e2e: build
	@scripts/run-tests $(BUILD) -L e2e

check-format: deps-dev
	@scripts/check-format

static-check: deps-dev
	@scripts/static-check

quality-ci: deps-dev
	@scripts/check-format
	@scripts/static-check
	@scripts/sanitize all
	@FUZZ_SECONDS=$(CI_FUZZ_SECONDS) scripts/fuzz
