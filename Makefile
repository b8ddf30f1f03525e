# Wraps CMake: `make run` sets everything up and opens the editor on the example project,
# `make test` sets everything up and runs every test, `make bench` runs the benchmarks,
# `make fuzz` builds the fuzzers with clang and runs each for FUZZ_SECONDS (default 60).
# `make test-windows` cross-builds the core, redewerk-cli and the core's tests for Windows and
# runs them under Wine; `make dist-windows` packs redewerk-cli.exe into a zip.
BUILD_DIR ?= build
WINDOWS_BUILD_DIR ?= build-windows
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release
# A compiler cache, when one is installed, makes rebuilds of other checkouts cheap.
CCACHE := $(shell command -v ccache 2>/dev/null)
ifneq ($(CCACHE),)
CMAKE_FLAGS += -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)
endif

.PHONY: all deps configure build run test bench fuzz test-windows dist-windows clean format

all: build

deps:
	@sh tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: configure
	@cmake --build $(BUILD_DIR) --target redewerk -j $(JOBS)
	./$(BUILD_DIR)/src/redewerk examples/Taverne.dlx

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@cmake --build $(BUILD_DIR) --target benchmarks -j $(JOBS)
	@for program in $(BUILD_DIR)/bench/*_bench; do echo "== $$program"; $$program || exit 1; done

fuzz:
	@JOBS=$(JOBS) sh tools/fuzz.sh

# The Windows session compares its outputs with those of the Linux redewerk-cli.
test-windows: configure
	@cmake --build $(BUILD_DIR) --target redewerk-cli -j $(JOBS)
	@JOBS=$(JOBS) CMAKE_FLAGS="$(CMAKE_FLAGS)" sh tools/test-windows.sh $(WINDOWS_BUILD_DIR) $(BUILD_DIR)/src/redewerk-cli

dist-windows:
	@JOBS=$(JOBS) CMAKE_FLAGS="$(CMAKE_FLAGS)" sh tools/dist-windows.sh $(WINDOWS_BUILD_DIR)-dist

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) $(WINDOWS_BUILD_DIR) $(WINDOWS_BUILD_DIR)-dist
