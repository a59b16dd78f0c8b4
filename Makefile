# The two commands: `make test` and `make run`. Each installs what it needs on a fresh Debian.
# `make bench` runs the benchmarks, `make bench-wine` the real program's under Wine; `make dist`
# builds the Windows setup; `make fuzz` runs every fuzz target for FUZZ_SECONDS each; `make soak`
# runs the long reliability runs.
SHELL := /bin/bash
BUILD ?= build
NATIVE := $(BUILD)/native
WIN := $(BUILD)/win
BENCH := $(BUILD)/bench
FUZZ := $(BUILD)/fuzz
FUZZ_SECONDS ?= 180
JOBS ?= $(shell nproc)

.PHONY: test run bench bench-wine dist deps native windows test-native test-windows format clean fuzz \
  fuzz-build soak

test: test-native test-windows

run: windows
	tools/run-demo.sh $(WIN)

deps:
	@tools/install-deps.sh

native: deps
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(NATIVE) -j$(JOBS)

windows: deps
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WIN) -j$(JOBS)

# Speed figures mean something only when optimised and without sanitizers: a tree of their own.
bench: deps
	cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DSANITIZE=OFF -DBUILD_BENCHMARKS=ON
	cmake --build $(BENCH) -j$(JOBS) --target benchmarks
	$(BENCH)/benchmarks

# The real program under Wine held against bare loops of its own calls (benchmarks/wine/), in a
# prefix of its own on a private display; the figures go to $(WIN)/bench-wine/results.txt.
bench-wine: windows
	tools/with-xvfb.sh benchmarks/wine/bench_wine.sh $(WIN)

# The Windows setup, $(WIN)/<product>-Setup-<major>.<minor>.exe. A vendor signs the program, the
# uninstaller and the setup with SIGN_CERT=<certificate> SIGN_KEY=<private key>, optionally
# SIGN_TIMESTAMP=<time-stamping server>; an encrypted key's password comes from the environment
# (SIGN_PASSWORD), never from the build's cache. See packaging/sign.sh.
SIGN_CERT ?=
SIGN_KEY ?=
SIGN_TIMESTAMP ?=
dist: windows
	cmake -S . -B $(WIN) -DSIGN_CERT="$(if $(SIGN_CERT),$(abspath $(SIGN_CERT)))" \
	  -DSIGN_KEY="$(if $(SIGN_KEY),$(abspath $(SIGN_KEY)))" -DSIGN_TIMESTAMP="$(SIGN_TIMESTAMP)"
	cmake --build $(WIN) --target dist

# The fuzz targets (fuzz/) are built by clang in a tree of their own.
fuzz-build: deps
	CC=clang CXX=clang++ cmake -S fuzz -B $(FUZZ)
	cmake --build $(FUZZ) -j$(JOBS)

# Every fuzz target for FUZZ_SECONDS, one after the other; findings in $(FUZZ)/findings.
fuzz: fuzz-build
	fuzz/run.sh $(FUZZ) $(FUZZ_SECONDS)

# The long reliability runs: a day of virtual time in the tray on the simulated machine, then
# ten minutes of the real program in the tray under Wine with its GUI objects and handles counted.
soak: native windows
	$(NATIVE)/unit_tests --gtest_also_run_disabled_tests --gtest_filter='SoakTest.DISABLED_*'
	tools/with-xvfb.sh ctest --test-dir $(WIN) --output-on-failure -V -L soak

# Tier 1: the portable core on the simulated machine, with ASan and UBSan; and each fuzz target
# for a few seconds, so that a parser that crashes again is caught.
test-native: native fuzz-build
	ctest --test-dir $(NATIVE) --output-on-failure -j$(JOBS)
	ctest --test-dir $(FUZZ) --output-on-failure -j$(JOBS)

# Tiers 2 and 3: the Win32 services and the real program under Wine, on a private X server.
test-windows: windows
	tools/with-xvfb.sh ctest --test-dir $(WIN) --output-on-failure -LE soak

format:
	clang-format -i $$(git ls-files '*.h' '*.cpp')

clean:
	rm -rf $(BUILD)
