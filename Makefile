# One entry point for people and CI. See README.md.
BUILD_DIR ?= build
WIN32_DIR := $(BUILD_DIR)/win32
NATIVE_DIR := $(BUILD_DIR)/native
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30
CTEST_FLAGS ?= --output-on-failure

.PHONY: all build setup configure win32 native test test-native test-win32 fuzz demo bench clean

all: build

setup:
	@bash tools/setup.sh

$(WIN32_DIR)/CMakeCache.txt:
	cmake -S . -B $(WIN32_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null

$(NATIVE_DIR)/CMakeCache.txt:
	CC=clang CXX=clang++ cmake -S . -B $(NATIVE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

configure: $(WIN32_DIR)/CMakeCache.txt $(NATIVE_DIR)/CMakeCache.txt

win32: $(WIN32_DIR)/CMakeCache.txt
	cmake --build $(WIN32_DIR) -j $(JOBS)

native: $(NATIVE_DIR)/CMakeCache.txt
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

bench: native
	bash bench/run.sh $(NATIVE_DIR)

demo: build
	bash tools/demo.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) dist
