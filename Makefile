# Front door for newcomers: `make demo` runs the program, `make gui` the desktop program, `make test`
# builds and runs every test.
.PHONY: all deps build test asan bench trf demo run gui install install-lib package clean clang fuzz coverage tidy format gates docs

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
# `ratio` lines together, one per ratio. A benchmark that fails, or cannot measure one of its
# ratios, fails the run once every benchmark has run.
bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release --target benchmarks
	@rm -f build/release/ratios.txt; before="$$(cat /proc/loadavg)"; failed=""; \
	for b in build/release/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; \
	  "$$b" > "$$b.out" || failed="$$failed $${b##*/}"; \
	  cat "$$b.out"; grep '^ratio ' "$$b.out" >> build/release/ratios.txt; done; \
	echo; echo "load before: $$before"; echo "load after: $$(cat /proc/loadavg)"; cat build/release/ratios.txt; \
	if [ -n "$$failed" ]; then echo "failed:$$failed"; exit 1; fi

# The same tests built with clang 14 (with source-based coverage, which `make coverage` reads).
clang: deps
	cmake --preset clang >/dev/null
	cmake --build --preset clang
	ctest --preset clang

# One fuzz target for longer: `make fuzz T=rtf` (10 minutes; S=seconds to change); no T runs all.
S ?= 600
fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz --target fuzzers
	@if [ -n "$(T)" ]; then fuzz/run "$(T)" "$(S)"; else fuzz/run-all; fi

# Line and branch coverage of ui_shared/ and widgets/ from the clang build's whole test suite.
coverage: deps
	tools/coverage

# The checks of .clang-tidy on every folder (F=folder for one), and the layout of .clang-format.
tidy: deps
	tools/check-tidy $(F)

format: deps
	tools/check-format

# The reference of the public headers, as HTML in build/docs/html; fails on a public class or member
# without a sentence saying what it is for, and on one sentence given to members of different names.
docs: deps
	doxygen docs/reference/Doxyfile
	docs/reference/check-briefs build/docs/xml

# Everything CI checks after the tests: format, clang tests with coverage, tidy, fuzz targets, the
# reference.
gates: deps
	.ci/gates


# The program alone: a first `make demo` installs only what `trf` needs and builds no test suite
# (a later `make test` builds the rest in the same folder).
trf:
	@./.ci/install-deps trf
	cmake --preset dev -DTRF_TESTS=OFF >/dev/null
	cmake --build --preset dev --target trf

demo: trf
	./build/dev/trf --demo

run: trf
	./build/dev/trf

# The desktop program alone (Qt 6 Widgets must be installed; `make deps` installs it).
gui: deps
	cmake --preset dev >/dev/null
	cmake --build --preset dev --target trf-desktop
	./build/dev/trf-desktop

# Installs the library as a CMake package (`find_package(ui_shared)`) under PREFIX.
PREFIX ?= /usr/local
install: build
	cmake --install build/dev --prefix $(PREFIX)

# Installs the library alone, optimised, as the same package under PREFIX: no application, no tests
# and no system packages, nothing but a C++20 compiler and CMake (Ninja when it is there), and no
# root for a PREFIX of your own (`make install-lib PREFIX=$$HOME/kw`).
install-lib:
	cmake -S . -B build/lib -DCMAKE_BUILD_TYPE=Release -DTRF_APP=OFF \
	  $$(command -v ninja >/dev/null && echo -G Ninja) >/dev/null
	cmake --build build/lib --parallel $$(nproc 2>/dev/null || echo 2)
	cmake --install build/lib --prefix $(PREFIX)

# The Debian package of the three programs with the desktop entry and the icon, in build/package
# (`apt install ./build/package/trf_*.deb`), built optimised without the tests, then checked
# (its contents, desktop-file-validate, lintian).
package:
	@./.ci/install-deps package
	cmake --preset package >/dev/null
	cmake --build --preset package
	rm -f build/package/trf_*.deb
	cd build/package && cpack -G DEB
	tests/packaging/check_package.sh build/package/trf_*.deb

clean:
	rm -rf build
