# One entry point for people and CI. See README.md.
BUILD_DIR ?= build
WIN32_DIR := $(BUILD_DIR)/win32
WIN64_DIR := $(BUILD_DIR)/win64
NATIVE_DIR := $(BUILD_DIR)/native
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30
CTEST_FLAGS ?= --output-on-failure

.PHONY: all build setup configure configure-win32 configure-win64 configure-native win32 win64 native test test-native test-win32 test-win64 fuzz demo bench dist clean

# Whether this machine runs 32-bit Windows programs, as `make setup` found out: "yes" or "no".
RUNS_32BIT = $(shell BUILD_DIR=$(BUILD_DIR) bash tools/runs-32bit.sh)

all: build

setup:
	@BUILD_DIR=$(BUILD_DIR) bash tools/setup.sh

configure-win32:
	@cmake -S . -B $(WIN32_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null

configure-win64:
	@cmake -S . -B $(WIN64_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null

configure-native:
	@CC=clang CXX=clang++ cmake -S . -B $(NATIVE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

configure: configure-win32 configure-win64 configure-native

# The shipped DLL goes to dist/ through the install step.
win32: configure-win32
	cmake --build $(WIN32_DIR) -j $(JOBS)
	cmake --install $(WIN32_DIR) --prefix $(abspath dist) --component plugin

# The test vehicle for Win32 behaviour where 32-bit programs cannot run: the same sources for x86_64.
win64: configure-win64
	cmake --build $(WIN64_DIR) -j $(JOBS)

native: configure-native
	cmake --build $(NATIVE_DIR) -j $(JOBS)

build: setup
	$(MAKE) native win32 win64

test-native: native
	cd $(NATIVE_DIR) && ctest $(CTEST_FLAGS) -j $(JOBS)

# The i686 build's checks of the shipped DLL run everywhere; its programs under Wine only where
# 32-bit programs run.
test-win32: win32
	@if [ "$(RUNS_32BIT)" = yes ]; then \
	  cmake/wine-session.sh $(abspath $(WIN32_DIR))/wineprefix sh -c 'cd $(WIN32_DIR) && ctest $(CTEST_FLAGS)'; \
	else \
	  cd $(WIN32_DIR) && ctest $(CTEST_FLAGS) -LE wine; \
	fi

test-win64: win64
	cmake/wine-session.sh --arch win64 $(abspath $(WIN64_DIR))/wineprefix sh -c 'cd $(WIN64_DIR) && ctest $(CTEST_FLAGS)'

fuzz: native
	bash fuzz/run.sh $(NATIVE_DIR) $(FUZZ_SECONDS)

test: build
	@echo "== Win32 suites: the x86_64 build's under 64-bit Wine$(if $(filter yes,$(RUNS_32BIT)), and the i686 build's under 32-bit Wine,; the i686 build's DLL and release checks only, without Wine): 32-bit programs: $(shell BUILD_DIR=$(BUILD_DIR) bash tools/runs-32bit.sh --why)"
	$(MAKE) test-native
	$(MAKE) fuzz
	$(MAKE) test-win64
	$(MAKE) test-win32

# Benchmarks build apart from the sanitized native build, optimised and uninstrumented; a Windows
# build's programs run under Wine: the i686 build's where 32-bit programs run, the x86_64 one's elsewhere.
BENCH_WINDOWS = $(if $(filter yes,$(RUNS_32BIT)),win32,win64)
bench: setup
	@$(MAKE) --no-print-directory configure-$(BENCH_WINDOWS)
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD_DIR)/bench -DCMAKE_BUILD_TYPE=Release -DTC_SANITIZE=OFF -DTC_FUZZ=OFF >/dev/null
	cmake --build $(BUILD_DIR)/bench --target open_bench -j $(JOBS)
	cmake --build $(BUILD_DIR)/$(BENCH_WINDOWS) --target open_bench -j $(JOBS)
	bash bench/run.sh $(BUILD_DIR)/bench $(BUILD_DIR)/$(BENCH_WINDOWS)

# The demo builds only what it runs, in folders of its own: the DLL and the stand-in host, the
# shipped i686 pair where 32-bit programs run and the x86_64 pair elsewhere; trackcase-info
# (native, without sanitizers); no tests or fuzzers.
DEMO_DIR := $(BUILD_DIR)/demo
DEMO_WINDOWS = $(if $(filter yes,$(RUNS_32BIT)),win32,win64)
DEMO_TOOLCHAIN = $(if $(filter yes,$(RUNS_32BIT)),mingw-i686,mingw-x86_64)
demo: setup
	@cmake -S . -B $(DEMO_DIR)/$(DEMO_WINDOWS) -DCMAKE_TOOLCHAIN_FILE=cmake/$(DEMO_TOOLCHAIN).cmake -DCMAKE_BUILD_TYPE=Release -DTC_TESTS=OFF >/dev/null
	@CC=clang CXX=clang++ cmake -S . -B $(DEMO_DIR)/native -DCMAKE_BUILD_TYPE=Release -DTC_TESTS=OFF -DTC_SANITIZE=OFF >/dev/null
	cmake --build $(DEMO_DIR)/$(DEMO_WINDOWS) --target gen_trackcase trackcase-host -j $(JOBS)
	cmake --build $(DEMO_DIR)/native --target trackcase-info -j $(JOBS)
	$(if $(filter yes,$(RUNS_32BIT)),cmake --install $(DEMO_DIR)/win32 --prefix $(abspath dist) --component plugin)
	bash tools/demo.sh $(DEMO_DIR) $(DEMO_WINDOWS)

# The release zip and the installer in dist/.
dist: setup
	BUILD_DIR=$(BUILD_DIR) JOBS=$(JOBS) bash tools/make_dist.sh

clean:
	rm -rf $(BUILD_DIR) dist
