# Front door: `make test` and `make demo` install what is missing, configure, build and run.
BUILD ?= build
JOBS ?= $(shell nproc)

SANITIZE_BUILD ?= build-sanitize
TSAN_BUILD ?= build-tsan
FUZZ_SECONDS ?= 60
STRESS_SECONDS ?= 60

.PHONY: all deps configure build test demo bench skin bank survey clean fuzz test-sanitize test-tsan stress

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# Only what the demonstration runs, so a first `make demo` does not wait for the tests to build.
DEMO_TARGETS ?= RavenSoot3 ravensoot-render ravensoot-demo-loop ravensoot-snapshot

demo: configure
	@cmake --build $(BUILD) -j $(JOBS) --target $(DEMO_TARGETS)
	@scripts/demo.sh $(BUILD)

bench: build
	@$(BUILD)/bench/ravensoot_bench

# Redraws the default skin (data/RavenSootData/Skins/default) and its preview pictures in out/.
skin: configure
	@cmake --build $(BUILD) -j $(JOBS) --target skin

# Copies the factory bank built from data/factory_bank.txt into data/RavenSootData, where it is committed.
bank: configure
	@cmake --build $(BUILD) -j $(JOBS) --target factory_bank

# Renders the loop through every factory program and keeps the measurements in docs/.
SURVEY_TARGETS ?= RavenSoot3 ravensoot-render ravensoot-demo-loop ravensoot-survey

survey: configure
	@cmake --build $(BUILD) -j $(JOBS) --target $(SURVEY_TARGETS)
	@scripts/survey_bank.sh $(BUILD) docs/factory-bank-survey.txt

# Every fuzz target for FUZZ_SECONDS each (clang, libFuzzer, address and undefined-behaviour sanitizers).
fuzz:
	@FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) scripts/fuzz.sh

# The whole test suite built with address and undefined-behaviour sanitizers; any report fails.
test-sanitize:
	@JOBS=$(JOBS) scripts/sanitize.sh address,undefined $(SANITIZE_BUILD)

# The concurrency and host-abuse tests under the thread sanitizer.
test-tsan:
	@JOBS=$(JOBS) STRESS_SECONDS=10 scripts/sanitize.sh thread $(TSAN_BUILD) reliability_tests

# The concurrency test for STRESS_SECONDS in the plain build.
stress: build
	@RAVENSOOT_STRESS_SECONDS=$(STRESS_SECONDS) $(BUILD)/tests/reliability_tests --gtest_filter='Concurrency.*'

clean:
	@rm -rf $(BUILD) $(SANITIZE_BUILD) $(TSAN_BUILD) build-fuzz out
