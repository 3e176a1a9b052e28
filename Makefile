# Front door of the project. `make test` and `make run` install what is missing first.
JOBS ?= $(shell nproc)

.PHONY: deps build test test-dev test-asan test-release bench run install translations format \
  format-check lint clean

deps:
	@./scripts/install-deps

build: deps
	cmake --preset dev >/dev/null
	cmake --build --preset dev -j $(JOBS)

test-dev: build
	ctest --preset dev -j $(JOBS)

test-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# The optimised build with its tests and benchmarks: the optimiser raises warnings of its own.
test-release: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)
	ctest --preset release -j $(JOBS)

test: test-dev test-asan test-release

bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release --target benchmarks -j $(JOBS)
	@set -e; for b in build/release/bench/bench_*; do \
	  [ -x "$$b" ] || continue; echo "== $$b"; "$$b" --benchmark_min_time=0.2; done

run: build
	./build/dev/app/kestrel/kestrel --simulate

# An optimised build of the three programs alone, installed under PREFIX with the desktop entry,
# the icon, the .dat file type and the README (sudo may be needed for the default PREFIX).
PREFIX ?= /usr/local
install: deps
	cmake -B build/install -DCMAKE_BUILD_TYPE=Release -DKESTREL_BUILD_TESTS=OFF \
	  -DKESTREL_BUILD_BENCHMARKS=OFF >/dev/null
	cmake --build build/install --target kestrel kestrel-cli kestrel-sim -j $(JOBS)
	cmake --install build/install --prefix $(PREFIX)

# The plain layers cross-built for 64-bit Windows with MinGW-w64, and their test suites run under
# Wine without a display, in a Wine prefix of their own inside the build folder.
.PHONY: test-windows
WINDOWS_BUILD = build/windows
WINE_ENV = WINEPREFIX=$(CURDIR)/$(WINDOWS_BUILD)/wine WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= \
  DISPLAY= WAYLAND_DISPLAY=
test-windows: deps
	@./scripts/install-deps g++-mingw-w64-x86-64-posix wine wine64 googletest
	cmake -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DKESTREL_PLAIN_LAYERS_ONLY=ON \
	  -DKESTREL_GTEST_SOURCE_DIR=/usr/src/googletest >/dev/null
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	$(WINE_ENV) wineboot --init >/dev/null 2>&1
	$(WINE_ENV) ctest --test-dir $(WINDOWS_BUILD) --output-on-failure

# translations/kestrel.ts for a translator to start from: every text the window marks.
translations: deps
	@./scripts/install-deps qt6-l10n-tools qt6-tools-dev
	cmake --preset dev >/dev/null
	cmake --build --preset dev --target translations

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

# Fails when any tracked C++ file differs from what clang-format would make of it.
format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# clang-tidy with the checks of .clang-tidy over src/ and app/ (a few minutes; not part of CI).
# Clang 16 takes g++ 12's <expected> only when told that its concepts are complete; the compiler's
# own warnings (-w) are g++'s job.
TIDY_ARGS = --extra-arg=-std=c++2b --extra-arg=-U__cpp_concepts \
  --extra-arg=-D__cpp_concepts=202002L --extra-arg=-w
lint: build
	@./scripts/install-deps clang-tidy-16
	@git ls-files 'src/*.cpp' 'app/*.cpp' | \
	  xargs -P $(JOBS) -n 4 clang-tidy-16 -p build/dev --quiet $(TIDY_ARGS)

clean:
	rm -rf build
