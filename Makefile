# make run    set up, build and start Quillmark
# make test   set up, build and run every test (offscreen)
# make bench  set up, build the benchmarks in Release and run them

BUILD_DIR   ?= build
BENCH_DIR   ?= build-bench
JOBS        ?= $(shell nproc)

.PHONY: all deps configure build run test bench clean

all: build

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	scripts/run-app $(BUILD_DIR)/src/quillmark

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DQUILLMARK_BUILD_TESTS=OFF -DQUILLMARK_BUILD_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	scripts/run-benchmarks $(BENCH_DIR)/bench

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR)
