# The two commands a new user needs: `make run` and `make test`.
# Both install what is missing first (scripts/install-deps), then build.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench fuzz clean package bench-app

all: build

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/talmo

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)

# Benchmarks: ratios within one run, never timed assertions.
bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALMO_TESTS=OFF -DTALMO_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	for b in build-bench/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; "$$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || exit 1; done

# Fuzzing the profile file and the configuration reads: libFuzzer under clang
# with ASan and UBSan, for FUZZ_TIME seconds. New inputs go to build-fuzz/corpus.
FUZZ_TIME ?= 60
fuzz: deps
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTALMO_TESTS=OFF -DTALMO_FUZZ=ON
	cmake --build build-fuzz --target fuzz_inifile -j $(JOBS)
	mkdir -p build-fuzz/corpus
	./build-fuzz/tests/fuzz/fuzz_inifile -max_total_time=$(FUZZ_TIME) build-fuzz/corpus tests/fuzz/corpus

# The Debian package: a Release build without tests, then CPack.
package: deps
	cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALMO_TESTS=OFF
	cmake --build build-package -j $(JOBS)
	cd build-package && cpack -G DEB
	@ls -1 build-package/*.deb

# The whole program against the capture floor, 10 s under Xvfb with speech.
bench-app: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALMO_TESTS=OFF -DTALMO_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target talmo capture_floor
	bench/app/bench-app build-bench
