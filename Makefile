# Entry points: `make run` builds the tool and analyses a shipped example,
# `make test` builds and runs every test, `make install` installs the two programs and the
# manual pages, `make deps` installs the Debian packages the project needs.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
# The compiler of build/ and of the benchmarks: clang++ where it is installed, g++ otherwise
# (`make test CXX=g++` chooses g++). clang++ builds the project in about 0.7 of the processor
# time g++ takes, and the programs it makes run within a few per cent of g++'s. It
# is looked up when a recipe runs, after `make deps` has installed it. The sanitizer build
# always uses g++, whose sanitizer runtimes come with the compiler, so CI builds and runs the
# suite with both compilers.
ifeq ($(origin CXX),default)
CXX = $(shell command -v clang++ >/dev/null 2>&1 && echo clang++ || echo g++)
endif
CONFIGURE = cmake -S . -DCMAKE_CXX_COMPILER=$(CXX)

.PHONY: all build tool deps run test install test-sanitize bench fuzz clean

all: build

$(BUILD)/Makefile: CMakeLists.txt
	$(CONFIGURE) -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS)

# The two programs alone, without the test suite.
tool: $(BUILD)/Makefile
	cmake --build $(BUILD) -j $(JOBS) --target cldds cldds-graf

# Debian packages: compilers and build tools, GoogleTest, Google Benchmark, libpng and
# librsvg2-bin (the test of the rendered plot), groff-base (the lint of the manual pages),
# FLINT and Arb, Eigen. Only what is missing is installed; as root directly, otherwise the command
# to run is printed.
DEPS_PACKAGES = cmake g++ clang make libgtest-dev libbenchmark-dev libpng-dev librsvg2-bin groff-base \
  libflint-dev libflint-arb-dev libeigen3-dev

deps:
	@if ! command -v dpkg-query >/dev/null 2>&1; then \
	  echo "make deps: not a Debian system; the project needs the equivalents of: $(DEPS_PACKAGES)"; exit 0; fi; \
	missing=$$(for p in $(DEPS_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -z "$$missing" ]; then exit 0; fi; \
	if [ "$$(id -u)" -eq 0 ]; then \
	  echo "make deps: installing" $$missing; \
	  DEBIAN_FRONTEND=noninteractive apt-get update && \
	  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	else \
	  echo "make deps: missing Debian packages:" $$missing; \
	  echo "make deps: install them with: sudo make deps"; \
	fi

run: deps
	@$(MAKE) --no-print-directory tool
	./$(BUILD)/cldds VnejsiSISO examples/vnejsi_siso.txt Prechod $(BUILD)/prechod_vnejsi_siso.txt
	@echo "--- $(BUILD)/prechod_vnejsi_siso.txt (first 12 lines) ---"
	@head -n 12 $(BUILD)/prechod_vnejsi_siso.txt
	./$(BUILD)/cldds-graf $(BUILD)/prechod_vnejsi_siso.txt $(BUILD)/prechod_vnejsi_siso.svg
	@echo "Plot of the step response: $(BUILD)/prechod_vnejsi_siso.svg"

# Configures again, so a build directory made before GoogleTest was installed gains the tests.
test: deps
	$(CONFIGURE) -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure --no-tests=error -j $(JOBS)

# bin/cldds, bin/cldds-graf and the manual pages cldds.1 and cldds-graf.1 under $(DESTDIR)$(PREFIX).
PREFIX ?= /usr/local

install: tool
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

test-sanitize:
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++ \
	  -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)"
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# Benchmarks (Release): the Google Benchmark suite of the hot paths with its table of
# speed-ups, then whole runs of the tool on generated files of growing size (median of
# BENCH_RUNS runs, peak memory, checked verdicts and targets).
BENCH_RUNS ?= 5

bench:
	$(CONFIGURE) -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DCLDDS_BENCH=ON -DCLDDS_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target cldds cldds-graf cldds_bench
	$(BENCH_BUILD)/cldds_bench --benchmark_min_time=0.1
	python3 bench/casy_procesu.py --cldds $(BENCH_BUILD)/cldds --opakovani $(BENCH_RUNS)
	python3 bench/casy_grafu.py --graf $(BENCH_BUILD)/cldds-graf --opakovani $(BENCH_RUNS)

# Fuzzing (clang++ with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer): every
# target runs FUZZ_SECONDS from its seeds in tests/fuzz/corpus/. The inputs it discovers and
# the files the targets write live in one temporary directory that is removed afterwards;
# an input that crashes, leaks, runs over 30 s (a verdict with a root within 1e-300 of the
# unit circle takes thousands of bits, seconds under the sanitizers) or exhausts FUZZ_RSS_MB is kept in
# $(FUZZ_BUILD)/nalezy/ and fails the run.
FUZZ_SECONDS ?= 60
FUZZ_RSS_MB ?= 2048
FUZZ_TARGETS = vnejsi_siso vnejsi_mimo stav vstup prikazova_radka

fuzz:
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DCLDDS_FUZZ=ON -DCLDDS_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@mkdir -p $(FUZZ_BUILD)/nalezy
	@tmp=$$(mktemp -d "$${TMPDIR:-/tmp}/cldds_fuzz.XXXXXX") && trap 'rm -rf "$$tmp"' EXIT && \
	for cil in $(FUZZ_TARGETS); do \
	  echo "=== fuzz_$$cil: $(FUZZ_SECONDS) s"; \
	  mkdir -p "$$tmp/$$cil" && \
	  TMPDIR="$$tmp" ./$(FUZZ_BUILD)/fuzz_$$cil "$$tmp/$$cil" tests/fuzz/corpus/$$cil \
	    -max_total_time=$(FUZZ_SECONDS) -timeout=30 -rss_limit_mb=$(FUZZ_RSS_MB) -max_len=4096 \
	    -dict=tests/fuzz/cldds.dict -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/nalezy/$$cil- \
	    2> "$$tmp/$$cil.log" || { tail -n 60 "$$tmp/$$cil.log"; \
	      echo "fuzz_$$cil found a fault; the input is in $(FUZZ_BUILD)/nalezy/"; exit 1; }; \
	  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$$tmp/$$cil.log"; \
	done

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
