BUILD ?= build
PREFIX ?= $(HOME)/.local
JOBS ?= $(shell nproc)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: deps configure build run test sanitize bench fuzz clean install uninstall autostart \
  no-autostart test-windows

deps:
	@scripts/deps.sh

configure: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/tamblewick

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Both test suites built with AddressSanitizer and UndefinedBehaviorSanitizer.
# Full unwinding on malloc lets the one suppression (scripts/lsan.supp) see
# the glibc frame it names.
SANITIZE_BUILD ?= build-sanitize
sanitize: deps
	@test -f $(SANITIZE_BUILD)/CMakeCache.txt || cmake -S . -B $(SANITIZE_BUILD) $(GENERATOR) \
	  -DCMAKE_BUILD_TYPE=Debug -DTAMBLEWICK_SANITIZE=ON \
	  -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# The core, the forms, the Windows services and the Windows program
# cross-built with mingw-w64, and their tests run under Wine, in a Wine prefix
# of their own inside the build folder, with one Wine server kept up for the
# whole run (scripts/wine_session.sh).
WINDOWS_BUILD ?= build-windows
test-windows:
	@scripts/deps_windows.sh
	@test -f $(WINDOWS_BUILD)/CMakeCache.txt || cmake -S . -B $(WINDOWS_BUILD) $(GENERATOR) \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	cd $(WINDOWS_BUILD) && $(CURDIR)/scripts/wine_session.sh wineprefix ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/tamblewick_bench
	BUILD=$(BUILD) bench/idle.sh

fuzz: deps
	@cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTAMBLEWICK_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_profile
	@mkdir -p build-fuzz/corpus
	# New inputs go to build-fuzz/corpus; the kept corpus is only read.
	build-fuzz/fuzz_profile -max_total_time=60 build-fuzz/corpus fuzz/corpus

install: build
	@PREFIX="$(PREFIX)" EXE="$(BUILD)/tamblewick" scripts/install.sh install

uninstall:
	@PREFIX="$(PREFIX)" scripts/install.sh uninstall

autostart:
	@PREFIX="$(PREFIX)" scripts/install.sh autostart

no-autostart:
	@PREFIX="$(PREFIX)" scripts/install.sh no-autostart

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) build-fuzz $(WINDOWS_BUILD)
