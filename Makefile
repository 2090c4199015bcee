# Hopnix: one command to set up, build and run; one to set up, build and test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test test-sanitize check-fresh check-cold fuzz assets clean

all: build

# The Debian packages are checked again only when their list changes or the build tree is new.
DEPS_STAMP = $(BUILD)/.deps-installed

deps: $(DEPS_STAMP)

$(DEPS_STAMP): tools/debian-packages.txt
	@sh tools/install-deps.sh
	@mkdir -p $(BUILD) && touch $@

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/hopnix

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole suite again, the game and the end-to-end cases included, built with the address and
# undefined-behaviour sanitizers: a leak, a read past a buffer or undefined behaviour fails it.
SANITIZE_BUILD ?= build-sanitize
SANITIZER_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer-suppressions.txt:print_suppressions=0

test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DHOPNIX_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && $(SANITIZER_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# CI as a new machine sees it (needs root and the Debian archive; not part of `test`): a minimal Debian 12
# root in build-fresh/, kept until the package list changes, and `.ci/run` twice in a row in a copy of it.
check-fresh:
	@sh tools/check-fresh.sh build-fresh

# The suite as the first run after boot meets a disk that is slow on first reads (needs root; not part of `test`):
# the page cache dropped, then every read the build and the project's packages did not warm held to COLD_READS a second.
COLD_READS ?= 20

check-cold: build
	@sh tools/check-cold-disk.sh $(BUILD) $(COLD_READS)

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

# Installs the game under PREFIX: the program and its files in PREFIX/lib/hopnix, the link
# PREFIX/games/hopnix, the launcher, icons, AppStream metadata and manual page. DESTDIR stages
# the tree elsewhere. Build as yourself first (`make build`), then `sudo make install`.
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: install uninstall deb

install: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target hopnix hopnix_docs
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD)

# Removes what the last `make install` from $(BUILD) put in place, then its emptied directories.
uninstall:
	@test -f $(BUILD)/install_manifest.txt || { echo "error: $(BUILD) has installed nothing" >&2; exit 1; }
	xargs -d '\n' rm -f -- < $(BUILD)/install_manifest.txt
	xargs -d '\n' -n 1 dirname < $(BUILD)/install_manifest.txt | sort -u | grep -E '/(lib|share/doc)/hopnix$$' \
		| xargs -r -d '\n' rmdir --ignore-fail-on-non-empty --

# Builds the Debian package for /usr in $(DEB_BUILD), then unpacks it and checks its files,
# launcher, metadata and manual page, its control fields and lintian's verdict.
DEB_BUILD ?= build-deb

deb: deps
	@sh tools/install-deps.sh tools/debian-packages-release.txt
	@cmake -S . -B $(DEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
		-DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
	@cmake --build $(DEB_BUILD) -j $(JOBS) --target hopnix hopnix_docs
	cd $(DEB_BUILD) && rm -f hopnix_*.deb && cpack -G DEB
	@cmake --build $(DEB_BUILD) --target hopnix_check_deb
