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

bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release
	@for b in build/release/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

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
