# The entry points: `make run` starts Talvex, `make test` runs every test.
BUILD ?= build
BUILD_SANITIZE ?= build-sanitize
BUILD_BENCH ?= build-bench
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all deps build test test-sanitize run bench format clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(BUILD_SANITIZE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALVEX_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_SANITIZE) -j $(JOBS)
	ctest --test-dir $(BUILD_SANITIZE) --output-on-failure -j $(JOBS)

# The window on the build's working folder; without a display, the tape on the command line.
run: build
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
		$(BUILD)/bin/talvex; \
	else \
		echo "No display: showing the calculator on the command line instead."; \
		scripts/demo-tape $(BUILD)/bin; \
	fi

bench: deps
	cmake -S . -B $(BUILD_BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALVEX_TESTS=OFF -DTALVEX_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	$(BUILD_BENCH)/bin/talvex-bench
	QT_QPA_PLATFORM=offscreen $(BUILD_BENCH)/bin/talvex-window-bench

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(BUILD_SANITIZE) $(BUILD_BENCH)
