# Hopnix: one command to set up, build and run; one to set up, build and test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test fuzz assets clean

all: build

deps:
	@sh tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/hopnix

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Runs every libFuzzer target for FUZZ_SECONDS each (not part of `test`). Corpora grow in
# $(FUZZ_BUILD)/corpus/<fuzzer>, seeded from tests/fuzz/corpus/<fuzzer>; crashes land in $(FUZZ_BUILD)/artifacts.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600

fuzz: deps
	@sh tools/install-deps.sh tools/debian-packages-fuzz.txt
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DHOPNIX_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@set -e; for fuzzer in $(FUZZ_BUILD)/fuzzers/*; do \
		name=$$(basename $$fuzzer); \
		mkdir -p $(FUZZ_BUILD)/corpus/$$name $(FUZZ_BUILD)/artifacts/$$name; \
		echo "== $$name for $(FUZZ_SECONDS) s"; \
		$$fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			-artifact_prefix=$(FUZZ_BUILD)/artifacts/$$name/ \
			$(FUZZ_BUILD)/corpus/$$name $$(test -d tests/fuzz/corpus/$$name && echo tests/fuzz/corpus/$$name); \
	done

# Regenerates the committed art, sounds and tune from tools/asset_generator.
assets: build
	./$(BUILD)/tools/hopnix-assetgen assets

clean:
	rm -rf $(BUILD)
