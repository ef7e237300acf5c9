# Thin wrapper over CMake. `make demo` builds and runs the main job, `make test` the whole suite.
BUILD ?= build
ASAN_BUILD ?= build-asan
S390X_BUILD ?= build-s390x
FUZZ_BUILD ?= build-fuzz
FUZZ_CXX ?= clang++
FUZZ_TIME ?= 10
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all configure build demo test asan test-s390x fuzz fuzz-ci bench install format clean

all: build

configure:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	sh examples/demo.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Unit tests under AddressSanitizer and UndefinedBehaviorSanitizer, in a build folder of their own.
asan:
	cmake -S . -B $(ASAN_BUILD) -DKORVEX_SANITIZE=ON -DKORVEX_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -L unit

# The library, the stand-in host and the unit tests cross-built for big-endian s390x and run
# under qemu-user (packages g++-s390x-linux-gnu and qemu-user).
test-s390x:
	cmake -S . -B $(S390X_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/s390x-toolchain.cmake \
	  -DKORVEX_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(S390X_BUILD) -j $(JOBS)
	cd $(S390X_BUILD) && ctest --output-on-failure -j $(JOBS) -L unit -LE load
	$(MAKE) build
	$(BUILD)/tests/golden/korvex_golden $(BUILD)/golden.txt
	qemu-s390x -L /usr/s390x-linux-gnu $(S390X_BUILD)/tests/golden/korvex_golden $(S390X_BUILD)/golden.txt
	cmp $(BUILD)/golden.txt $(S390X_BUILD)/golden.txt && echo "golden outputs: identical on x86-64 and s390x"

# libFuzzer targets (one per tests/fuzz/*.cpp) under ASan and UBSan, built with clang in a
# folder of their own. Each runs FUZZ_TIME seconds from its seed corpus tests/fuzz/corpus/NAME;
# new inputs go to $(FUZZ_BUILD)/corpus/NAME, findings to $(FUZZ_BUILD)/.
fuzz:
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=$(FUZZ_CXX) -DKORVEX_FUZZ=ON \
	  -DKORVEX_TESTS=OFF -DKORVEX_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) --target fuzz_all -j $(JOBS)
	@for src in tests/fuzz/*.cpp; do \
	  name=$$(basename $$src .cpp); \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$name tests/fuzz/corpus/$$name; \
	  echo "== fuzz_$$name, $(FUZZ_TIME) s"; \
	  $(FUZZ_BUILD)/tests/fuzz/fuzz_$$name -max_total_time=$(FUZZ_TIME) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus/$$name tests/fuzz/corpus/$$name \
	    || exit 1; \
	done

# The run CI does: each target for 60 seconds.
fuzz-ci:
	$(MAKE) fuzz FUZZ_TIME=60

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b || exit 1; done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(S390X_BUILD) $(FUZZ_BUILD)
