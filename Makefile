BUILD ?= build
# The add-on for host generation 29 (the default build is for 26).
BUILD_29 ?= build-29
SANITIZE_BUILD ?= build-sanitize
SANITIZE_BUILD_29 ?= build-sanitize-29
JOBS ?= 2
FUZZ_SECONDS ?= 60
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

BENCH_BUILD ?= build-release

.PHONY: all setup setup-browser configure build build-29 test run clean test-sanitize build-sanitize fuzz bench format-check

all: build

setup:
	bash scripts/setup

setup-browser:
	bash scripts/setup --browser

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: setup $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

$(BUILD_29)/CMakeCache.txt:
	cmake -S . -B $(BUILD_29) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVEL_HOST_GENERATION=29

build-29: setup $(BUILD_29)/CMakeCache.txt
	cmake --build $(BUILD_29) -j $(JOBS)

# The tests always include the browser tests: their tools are installed, and required. The
# whole suite runs for both host generations: 26 in $(BUILD), 29 in $(BUILD_29).
test: setup-browser $(BUILD)/CMakeCache.txt $(BUILD_29)/CMakeCache.txt format-check
	cmake -S . -B $(BUILD) -DKORVEL_BROWSER_TESTS=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(BUILD_29) -DKORVEL_BROWSER_TESTS=ON
	cmake --build $(BUILD_29) -j $(JOBS)
	cd $(BUILD_29) && ctest --output-on-failure -j $(JOBS)

# Every C++ file of the tree as .clang-format has it; a file that is off is named, and fails.
format-check: setup
	find . -path './build*' -prune -o -path ./.git -prune -o -path '*/node_modules' -prune -o \
	    \( -name '*.cpp' -o -name '*.hpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror

run: build
	$(BUILD)/tools/korvel-host/korvel-host demo
	$(BUILD)/tools/korvel-host/korvel-host run examples/sessions/take-off.jsonl \
	    --project examples/projects/every-type.json --work $(BUILD)/take-off
	$(BUILD)/tools/korvel-host/korvel-host run examples/sessions/bulk-and-export.jsonl \
	    --project examples/projects/sample.json --work $(BUILD)/bulk-and-export

# The same tests built with clang under AddressSanitizer and UndefinedBehaviorSanitizer.
$(SANITIZE_BUILD)/CMakeCache.txt:
	CC=clang CXX=clang++ cmake -S . -B $(SANITIZE_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DKORVEL_SANITIZE=ON

build-sanitize: setup $(SANITIZE_BUILD)/CMakeCache.txt
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)

# Both generations: 26 in $(SANITIZE_BUILD) (which the fuzzer uses too), 29 in $(SANITIZE_BUILD_29).
$(SANITIZE_BUILD_29)/CMakeCache.txt:
	CC=clang CXX=clang++ cmake -S . -B $(SANITIZE_BUILD_29) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DKORVEL_SANITIZE=ON \
	    -DKORVEL_HOST_GENERATION=29

test-sanitize: build-sanitize $(SANITIZE_BUILD_29)/CMakeCache.txt
	cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j $(JOBS)
	cmake --build $(SANITIZE_BUILD_29) -j $(JOBS)
	cd $(SANITIZE_BUILD_29) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j $(JOBS)

# Feeds arbitrary page calls and dropped files to the add-on for FUZZ_SECONDS seconds; the
# dictionary (payload keys, JSON tokens, numbers at the edges of their range, deep brackets)
# lets a short run reach what a byte at a time would not.
# New findings are written to fuzz/crashes/, where a test replays them from then on.
# (The host moves into its own work folder, so every path given is absolute.)
fuzz: build-sanitize
	mkdir -p $(SANITIZE_BUILD)/fuzz-corpus
	$(SANITIZE_BUILD)/fuzz/korvel-fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=8192 -timeout=10 \
	    -dict=$(abspath fuzz/korvel.dict) \
	    -artifact_prefix=$(abspath fuzz/crashes)/ $(abspath $(SANITIZE_BUILD)/fuzz-corpus) $(abspath fuzz/corpus)

# Benchmarks in a Release build (KORVEL_BENCH_MILLION=1 adds a project of 1,000,000 elements).
$(BENCH_BUILD)/CMakeCache.txt:
	cmake -S . -B $(BENCH_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release

bench: setup $(BENCH_BUILD)/CMakeCache.txt
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target korvel-bench
	$(BENCH_BUILD)/bench/korvel-bench

clean:
	rm -rf $(BUILD) $(BUILD_29) $(SANITIZE_BUILD) $(SANITIZE_BUILD_29) $(BENCH_BUILD)
