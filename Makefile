BUILD ?= build
PREFIX ?= $(HOME)/.local
JOBS ?= $(shell nproc)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: deps configure build run test bench fuzz clean install uninstall autostart no-autostart

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

bench: build
	$(BUILD)/tamblewick_bench

fuzz: deps
	@cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTAMBLEWICK_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzz_profile
	build-fuzz/fuzz_profile -max_total_time=60 fuzz/corpus

install: build
	@PREFIX="$(PREFIX)" EXE="$(BUILD)/tamblewick" scripts/install.sh install

uninstall:
	@PREFIX="$(PREFIX)" scripts/install.sh uninstall

autostart:
	@PREFIX="$(PREFIX)" scripts/install.sh autostart

no-autostart:
	@PREFIX="$(PREFIX)" scripts/install.sh no-autostart

clean:
	rm -rf $(BUILD) build-fuzz
