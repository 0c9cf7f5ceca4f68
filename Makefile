# SPDX-License-Identifier: GPL-3.0-or-later
# Wingfolio: every step from a fresh Debian 12 machine to a running program.
#   make run     install what is missing, build, start the program
#   make test    install, build, run every test headless (and the sanitizer run)
#   make bench   build in Release and run the benchmarks
#   make install install into PREFIX (/usr/local), DESTDIR honoured
#   make package build the .deb (in build-release)

BUILD      ?= build
BUILD_TYPE ?= Debug
JOBS       ?= $(shell nproc)
ARGS       ?=

export QTWEBENGINE_DISABLE_SANDBOX = 1

FUZZ_SECONDS ?= 120

.PHONY: all deps configure build run test test-sanitize bench fuzz format clean screenshots \
        install package

all: build

deps:
	@tools/install-deps

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/wingfolio $(ARGS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)
	$(MAKE) --no-print-directory test-sanitize

# The libraries without windows, with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DWINGFOLIO_GUI=OFF \
	    -DWINGFOLIO_SANITIZE=ON -DWINGFOLIO_BENCH=OFF
	cmake --build build-sanitize -j$(JOBS)
	cd build-sanitize && ctest --output-on-failure -j$(JOBS)

bench: deps
	cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release
	cmake --build build-release -j$(JOBS) --target benchmarks
	build-release/bench/bench_store
	build-release/bench/bench_richtext
	build-release/bench/bench_imaging
	build-release/bench/bench_exchange
	QT_QPA_PLATFORM=offscreen build-release/bench/bench_photos
	build-release/bench/bench_mainwin
	build-release/bench/bench_editors
	QT_QPA_PLATFORM=offscreen build-release/bench/bench_lists
	QT_QPA_PLATFORM=offscreen build-release/bench/bench_scale
	QT_QPA_PLATFORM=offscreen build-release/bench/bench_startup

# The RTF reader under libFuzzer for FUZZ_SECONDS, starting from the test files.
fuzz:
	@tools/install-deps --fuzz
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DWINGFOLIO_GUI=OFF -DWINGFOLIO_FUZZ=ON -DWINGFOLIO_BENCH=OFF
	cmake --build build-fuzz -j$(JOBS) --target rtf_fuzzer
	mkdir -p build-fuzz/corpus
	cp tests/richtext/data/*.rtf tests/richtext/fuzz-regressions/* build-fuzz/corpus/ 2>/dev/null || true
	build-fuzz/tests/richtext/fuzz/rtf_fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=65536 \
	    -dict=tests/richtext/fuzz/rtf.dict -artifact_prefix=build-fuzz/ build-fuzz/corpus

# Every window as a person sees it, at three sizes and at twice the pixel
# density, into build/screenshots (look at them before a change lands).
SHOTS ?= $(BUILD)/screenshots
screenshots: build
	xvfb-run -a -s "-screen 0 2000x1300x24" $(BUILD)/tools/screenshots/screenshots $(SHOTS)
	QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 4000x2600x24" \
	    $(BUILD)/tools/screenshots/screenshots $(SHOTS)/dpr2 --sizes 900x600

PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The .deb, from a Release build of the program alone.
package: deps
	cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release
	cmake --build build-release -j$(JOBS) --target wingfolio
	cd build-release && cpack -G DEB
	@ls -1 build-release/wingfolio_*.deb

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-sanitize build-release build-fuzz
