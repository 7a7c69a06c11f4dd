# Front door for newcomers: `make demo` runs the program, `make test` builds and runs every test.
.PHONY: all deps build test asan bench demo run install clean

all: build

# Installs what a fresh Debian machine lacks (needs root); quiet when everything is there.
deps:
	@./.ci/install-deps

build: deps
	cmake --preset dev >/dev/null
	cmake --build --preset dev

test: build
	ctest --preset dev

asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan

# Runs every benchmark, then states the machine's load before and after and ends with their
# `ratio` lines together, one per ratio.
bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release --target benchmarks
	@rm -f build/release/ratios.txt; before="$$(cat /proc/loadavg)"; \
	for b in build/release/bench/bench_*; do [ -x "$$b" ] || continue; "$$b" > "$$b.out" || exit 1; \
	  cat "$$b.out"; grep '^ratio ' "$$b.out" >> build/release/ratios.txt; done; \
	echo; echo "load before: $$before"; echo "load after: $$(cat /proc/loadavg)"; cat build/release/ratios.txt

demo: build
	./build/dev/trf --demo

run: build
	./build/dev/trf

# Installs the library as a CMake package (`find_package(ui_shared)`) under PREFIX.
PREFIX ?= /usr/local
install: build
	cmake --install build/dev --prefix $(PREFIX)

clean:
	rm -rf build
