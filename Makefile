# The entry points: `make run` starts Talvex, `make test` runs every test.
BUILD ?= build
BUILD_SANITIZE ?= build-sanitize
BUILD_BENCH ?= build-bench
BUILD_FUZZ ?= build-fuzz
# Seconds each fuzz target runs in `make fuzz`.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = tape-reader ini keys
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# `make install` puts the programs under PREFIX; DESTDIR stages them elsewhere (for a package).
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all deps build test test-sanitize fuzz run install deb bench format clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX="$(PREFIX)" $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(BUILD_SANITIZE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALVEX_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_SANITIZE) -j $(JOBS)
	ctest --test-dir $(BUILD_SANITIZE) --output-on-failure -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS on a copy of its seed corpus and regressions (the
# repository's stay as they are), with its dictionary; a crash, a leak or a hang fails and
# leaves the input in $(BUILD_FUZZ)/findings. The key scripts stay short so each run is quick.
fuzz: deps
	CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DTALVEX_FUZZ=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target $(addprefix fuzz-,$(FUZZ_TARGETS))
	@set -e; for target in $(FUZZ_TARGETS); do \
		corpus=$(BUILD_FUZZ)/corpus/$$target; mkdir -p $$corpus $(BUILD_FUZZ)/findings/$$target; \
		cp -r fuzz/corpus/$$target/. $$corpus/; \
		if [ -d fuzz/regressions/$$target ]; then cp -r fuzz/regressions/$$target/. $$corpus/; fi; \
		dict=fuzz/$$target.dict; maxlen=4096; [ $$target != keys ] || maxlen=600; \
		echo "fuzz-$$target: $(FUZZ_SECONDS) s"; \
		$(BUILD_FUZZ)/bin/fuzz-$$target -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
			-max_len=$$maxlen -rss_limit_mb=2048 -print_final_stats=1 \
			-artifact_prefix=$(BUILD_FUZZ)/findings/$$target/ \
			$$( [ -f $$dict ] && echo -dict=$$dict ) $$corpus \
			> $(BUILD_FUZZ)/fuzz-$$target.log 2>&1 || \
			{ tail -40 $(BUILD_FUZZ)/fuzz-$$target.log; exit 1; }; \
		grep -E '^stat::(number_of_executed_units|peak_rss_mb)' $(BUILD_FUZZ)/fuzz-$$target.log; \
	done

# The window on the build's working folder; without a display, the tape on the command line.
run: build
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
		$(BUILD)/bin/talvex; \
	else \
		echo "No display: showing the calculator on the command line instead."; \
		scripts/demo-tape $(BUILD)/bin; \
	fi

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# A Debian package of the build, installing under /usr, in $(BUILD)/.
deb: build
	cd $(BUILD) && cpack -G DEB

bench: deps
	cmake -S . -B $(BUILD_BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALVEX_TESTS=OFF -DTALVEX_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	$(BUILD_BENCH)/bin/talvex-bench
	QT_QPA_PLATFORM=offscreen $(BUILD_BENCH)/bin/talvex-window-bench

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(BUILD_SANITIZE) $(BUILD_BENCH) $(BUILD_FUZZ)
