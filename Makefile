# Wingfolio: every step from a fresh Debian 12 machine to a running program.
#   make run     install what is missing, build, start the program
#   make test    install, build, run every test headless (and the sanitizer run)
#   make bench   build in Release and run the benchmarks

BUILD      ?= build
BUILD_TYPE ?= Debug
JOBS       ?= $(shell nproc)
ARGS       ?=

export QTWEBENGINE_DISABLE_SANDBOX = 1

.PHONY: all deps configure build run test test-sanitize bench format clean

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
	QT_QPA_PLATFORM=offscreen build-release/bench/bench_startup

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-sanitize build-release
