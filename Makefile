# Front door: `make test` and `make demo` install what is missing, configure, build and run.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test demo bench skin bank survey clean

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

clean:
	@rm -rf $(BUILD) out
