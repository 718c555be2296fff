# The entry points: `make run` starts Talvex, `make test` runs every test.
BUILD ?= build
BUILD_SANITIZE ?= build-sanitize
BUILD_BENCH ?= build-bench
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# `make install` puts the programs under PREFIX; DESTDIR stages them elsewhere (for a package).
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all deps build test test-sanitize run install deb bench format clean

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
	rm -rf $(BUILD) $(BUILD_SANITIZE) $(BUILD_BENCH)
