# Entry points: `make run` builds the tool and analyses a shipped example,
# `make test` builds and runs every test.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
BENCH_BUILD ?= build-bench
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

.PHONY: all build run test test-sanitize bench clean

all: build

$(BUILD)/Makefile: CMakeLists.txt
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/cldds VnejsiSISO examples/vnejsi_siso.txt Prechod $(BUILD)/prechod_vnejsi_siso.csv
	@echo "--- $(BUILD)/prechod_vnejsi_siso.csv (first 12 lines) ---"
	@head -n 12 $(BUILD)/prechod_vnejsi_siso.csv

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-sanitize:
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)"
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

bench:
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DCLDDS_BENCH=ON -DCLDDS_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	./$(BENCH_BUILD)/cldds_bench

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(BENCH_BUILD)
