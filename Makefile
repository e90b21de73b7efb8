# One entry point for people and CI. See README.md.
BUILD_DIR ?= build
WIN32_DIR := $(BUILD_DIR)/win32
NATIVE_DIR := $(BUILD_DIR)/native
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30
CTEST_FLAGS ?= --output-on-failure

.PHONY: all build setup configure configure-win32 configure-native win32 native test test-native test-win32 fuzz demo bench dist clean

all: build

setup:
	@bash tools/setup.sh

configure-win32:
	@cmake -S . -B $(WIN32_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null

configure-native:
	@CC=clang CXX=clang++ cmake -S . -B $(NATIVE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

configure: configure-win32 configure-native

# The shipped DLL goes to dist/ through the install step.
win32: configure-win32
	cmake --build $(WIN32_DIR) -j $(JOBS)
	cmake --install $(WIN32_DIR) --prefix $(abspath dist) --component plugin

native: configure-native
	cmake --build $(NATIVE_DIR) -j $(JOBS)

build: setup
	$(MAKE) native win32

test-native: native
	cd $(NATIVE_DIR) && ctest $(CTEST_FLAGS) -j $(JOBS)

test-win32: win32
	cmake/wine-session.sh $(abspath $(WIN32_DIR))/wineprefix sh -c 'cd $(WIN32_DIR) && ctest $(CTEST_FLAGS)'

fuzz: native
	bash fuzz/run.sh $(NATIVE_DIR) $(FUZZ_SECONDS)

test: build
	$(MAKE) test-native
	$(MAKE) fuzz
	$(MAKE) test-win32

# Benchmarks build apart from the sanitized native build, optimised and uninstrumented; the win32
# build's programs run under Wine.
bench: configure-win32
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD_DIR)/bench -DCMAKE_BUILD_TYPE=Release -DTC_SANITIZE=OFF -DTC_FUZZ=OFF >/dev/null
	cmake --build $(BUILD_DIR)/bench --target open_bench -j $(JOBS)
	cmake --build $(WIN32_DIR) --target open_bench -j $(JOBS)
	bash bench/run.sh $(BUILD_DIR)/bench $(WIN32_DIR)

# The demo builds only what it runs, in folders of its own: the DLL and the stand-in host (win32),
# trackcase-info (native, without sanitizers), no tests or fuzzers.
DEMO_DIR := $(BUILD_DIR)/demo
demo: setup
	@cmake -S . -B $(DEMO_DIR)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release -DTC_TESTS=OFF >/dev/null
	@CC=clang CXX=clang++ cmake -S . -B $(DEMO_DIR)/native -DCMAKE_BUILD_TYPE=Release -DTC_TESTS=OFF -DTC_SANITIZE=OFF >/dev/null
	cmake --build $(DEMO_DIR)/win32 --target gen_trackcase trackcase-host -j $(JOBS)
	cmake --build $(DEMO_DIR)/native --target trackcase-info -j $(JOBS)
	cmake --install $(DEMO_DIR)/win32 --prefix $(abspath dist) --component plugin
	bash tools/demo.sh $(DEMO_DIR)

# The release zip and the installer in dist/.
dist: setup
	BUILD_DIR=$(BUILD_DIR) JOBS=$(JOBS) bash tools/make_dist.sh

clean:
	rm -rf $(BUILD_DIR) dist
