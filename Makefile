# make run    set up, build and start Quillmark
# make test   set up, build and run every test (offscreen)
# make bench  set up, build the benchmarks in Release and run them
# make sanitize  set up, build with clang's address and undefined-behaviour
#                sanitizers and run every test under them
# make demo   set up, build, fill a store of generated contacts under
#             build/demo once, and start Quillmark on it

BUILD_DIR   ?= build
BENCH_DIR   ?= build-bench
SANITIZE_DIR ?= build-sanitize
JOBS        ?= $(shell nproc)
# A compiler warning fails the build of `make test` (and of run, demo and
# build, which share its folder, so that switching between them rebuilds
# nothing). The clang builds of sanitize and tsan leave warnings warnings.
WARNINGS_AS_ERRORS ?= ON

.PHONY: all deps configure build run test bench sanitize clean demo

all: build

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMARK_WARNINGS_AS_ERRORS=$(WARNINGS_AS_ERRORS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	scripts/run-app $(BUILD_DIR)/src/quillmark

DEMO_DIR     = $(abspath $(BUILD_DIR))/demo
DEMO_ENV     = XDG_DATA_HOME=$(DEMO_DIR)/data XDG_CONFIG_HOME=$(DEMO_DIR)/config
DEMO_COUNT  ?= 500

demo: build
	mkdir -p $(DEMO_DIR)/data $(DEMO_DIR)/config
	chmod 700 $(DEMO_DIR)/data $(DEMO_DIR)/config
	$(DEMO_ENV) $(BUILD_DIR)/tests/common/quillmark_demo_store $(DEMO_COUNT)
	$(DEMO_ENV) scripts/run-app $(BUILD_DIR)/src/quillmark

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DQUILLMARK_BUILD_TESTS=OFF -DQUILLMARK_BUILD_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	scripts/run-benchmarks $(BENCH_DIR)/bench

# intercept_tls_get_addr=0: clang 14's runtime misreads some blocks of dynamic
# thread-local storage that glibc 2.36 hands out, and its leak check then
# crashes scanning the bogus range; the static TLS of every thread is still
# scanned.
sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMARK_SANITIZE=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:intercept_tls_get_addr=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan-suppressions.txt \
	  UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(BENCH_DIR) $(SANITIZE_DIR)

# make tsan   build the model's tests with clang and ThreadSanitizer and run
#             them: the tables read by the workers that parse files must stand
#             the main thread's changes (not the tests labelled "subprocess",
#             which start programs of their own: the sanitizer's runtime can't
#             follow the fork)
TSAN_DIR ?= build-tsan
TSAN_FLAGS = -fsanitize=thread -fno-omit-frame-pointer

.PHONY: tsan
tsan: deps
	CC=clang CXX=clang++ cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_FLAGS="$(TSAN_FLAGS)" -DCMAKE_CXX_FLAGS="$(TSAN_FLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread"
	cmake --build $(TSAN_DIR) -j $(JOBS) --target quillmark_model_tests
	cd $(TSAN_DIR) && QT_QPA_PLATFORM=offscreen TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	  ctest -L model -LE subprocess \
	  --output-on-failure -j $(JOBS)
