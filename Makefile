# The two commands of the README: `make run` and `make test`. Both install what is missing,
# configure once and build incrementally. `make package` makes the Debian package from that build.
BUILD      ?= build
BUILD_ASAN ?= build-asan
# The main build is the Release build a packager makes, so that CI builds it; the sanitizer build
# keeps its debug information for the reports.
CMAKE_ARGS      ?= -G Ninja -DCMAKE_BUILD_TYPE=Release
ASAN_CMAKE_ARGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Our own builds treat warnings as errors; a packager's plain cmake run does not.
OVB_ARGS   := -DOVB_WERROR=ON
# A compiler cache, where one is installed, makes rebuilds in several checkouts cheap.
ifneq ($(shell command -v ccache 2>/dev/null),)
OVB_ARGS   += -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
endif

.PHONY: all deps build build-asan test test-asan test-all run bench package format clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	@cmake -S . -B $(BUILD) $(CMAKE_ARGS) $(OVB_ARGS) >/dev/null

$(BUILD_ASAN)/build.ninja: | deps
	@cmake -S . -B $(BUILD_ASAN) $(ASAN_CMAKE_ARGS) $(OVB_ARGS) -DOVB_SANITIZE=ON -DOVB_GUI=OFF -DOVB_BENCH=OFF >/dev/null

build: deps $(BUILD)/build.ninja
	@cmake --build $(BUILD)

build-asan: deps $(BUILD_ASAN)/build.ninja
	@cmake --build $(BUILD_ASAN)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j2

test-asan: build-asan
	@cd $(BUILD_ASAN) && ctest --output-on-failure -j2

run: build
	@scripts/run-demo.sh $(BUILD)

bench: build
	@scripts/run-benchmarks.sh $(BUILD)

package: build
	@cpack --config $(BUILD)/CPackConfig.cmake -B $(BUILD)/package >/dev/null
	@cp -v $(BUILD)/package/orvelanta-bank-manager_*.deb .

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) orvelanta-bank-manager_*.deb
