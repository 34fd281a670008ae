# The two set-up commands: `make run` and `make test`. Both install what is
# missing first. Builds: build/ (tests, with sanitizers), build-release/ (the
# program and benchmarks), build-fuzz/ (libFuzzer targets, clang).
JOBS ?= $(shell nproc)
CMAKE_GEN = cmake -G Ninja -Wno-dev

.PHONY: run test build build-release bench fuzz fuzz-smoke deps clean

deps:
	@scripts/install-deps

build-release: deps
	@$(CMAKE_GEN) -S . -B build-release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_TESTS=OFF -DTOLVANE_BENCH=ON >/dev/null
	@cmake --build build-release -j $(JOBS)

run: build-release
	GDK_BACKEND=x11 build-release/bin/tolvaneBuilder

build: deps
	@$(CMAKE_GEN) -S . -B build -DCMAKE_BUILD_TYPE=Debug -DTOLVANE_SANITIZE=ON >/dev/null
	@cmake --build build -j $(JOBS)

test: build
	scripts/run-tests build
	@if command -v clang++-14 >/dev/null; then $(MAKE) --no-print-directory fuzz-smoke; fi

bench: build-release
	scripts/run-benchmarks build-release

fuzz: deps
	@CC=clang-14 CXX=clang++-14 $(CMAKE_GEN) -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS)

fuzz-smoke: fuzz
	scripts/fuzz-smoke build-fuzz

clean:
	rm -rf build build-release build-fuzz
