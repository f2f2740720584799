# Thin wrapper over CMake. `make run` and `make test` do all set-up on a fresh Debian machine.
JOBS ?= $(shell nproc)
GEN := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
# Real-window tests talk to a virtual X server and a window manager whose timing a loaded machine
# can upset; they get a second and third try. Every other test must pass the first time.
X11_RETRY := --repeat until-pass:3
# Long sweeps (the transition harness's whole cross) run on their own: ctest -L fx.sweep.
SWEEPS := fx\.sweep

.PHONY: all deps build run test torture tsan bench fuzz clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B build/release $(GEN) -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF
	cmake --build build/release -j $(JOBS)

run: build
	@scripts/run-example build/release $(EXAMPLE)

test: deps
	cmake -S . -B build/check $(GEN) -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON -DQM_WERROR=ON -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
	cmake --build build/check -j $(JOBS)
	cd build/check && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS) -LE 'x11|$(SWEEPS)'
	cd build/check && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS) -L x11 $(X11_RETRY)

# The test build once more with the collector running at every step check: a value that the
# collector cannot reach but the code still uses shows up as a use-after-free under ASan.
torture: deps
	cmake -S . -B build/torture $(GEN) -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON -DQM_WERROR=ON -DQM_GC_TORTURE=ON -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
	cmake --build build/torture -j $(JOBS)
	cd build/torture && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS) -LE 'x11|$(SWEEPS)'
	cd build/torture && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS) -L x11 $(X11_RETRY)

# The tests labelled tsan (the threads of sound and video) built with ThreadSanitizer. The
# suppressions name only what happens inside uninstrumented libraries (SDL's audio thread, FFmpeg).
tsan: deps
	cmake -S . -B build/tsan $(GEN) -DCMAKE_BUILD_TYPE=Debug -DQM_TSAN=ON -DQM_WERROR=ON -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
	cmake --build build/tsan -j $(JOBS) --target tsan_tests
	cd build/tsan && TSAN_OPTIONS="suppressions=$(CURDIR)/tests/tsan.supp halt_on_error=1 second_deadlock_stack=1" \
	  ctest --output-on-failure -j $(JOBS) -L tsan

bench: deps
	cmake -S . -B build/bench $(GEN) -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF -DQM_BENCH=ON
	cmake --build build/bench -j $(JOBS)
	@scripts/run-bench build/bench

fuzz: deps
	cmake -S . -B build/fuzz $(GEN) -DCMAKE_BUILD_TYPE=Debug -DQM_TESTS=OFF -DQM_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
	cmake --build build/fuzz -j $(JOBS)

clean:
	rm -rf build
