# The front door: `make run` and `make test` do all the set-up on a fresh
# Debian 12 machine (installing missing packages when run as root).

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev \
            libgtest-dev libgmock-dev googletest libbenchmark-dev fonts-liberation2 \
            desktop-file-utils appstream time qt6-translations-l10n \
            libsource-highlight-dev

.PHONY: all deps configure build run test sanitize fuzz package bench clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get install -y -q $$missing || { apt-get update -q && apt-get install -y -q $$missing; }; \
	  else \
	    echo "Missing Debian packages:$$missing"; \
	    echo "Install them with: sudo apt-get install$$missing"; exit 1; \
	  fi; \
	fi

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/bin/markwell ]; then \
	  $(BUILD_DIR)/bin/markwell; \
	else \
	  $(BUILD_DIR)/bin/markwell-cli --help; \
	fi

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer,
# with the engine's portable byte scans in place of its SSE2 ones.
sanitize: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMARKWELL_SANITIZE=ON \
	  -DMARKWELL_PORTABLE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# Each libFuzzer target for FUZZ_SECONDS, starting from the seeds in
# tests/fuzz/corpus/; what it finds new goes to build-fuzz/corpus/.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := rtf_reader plain_text keyword_list filters scan_twins definitions
fuzz: deps
	@command -v clang++ >/dev/null || { [ "$$(id -u)" = 0 ] && apt-get install -y -q clang libclang-rt-14-dev; }
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DMARKWELL_FUZZ=ON -DMARKWELL_BUILD_EDITOR=OFF -DBUILD_TESTING=OFF
	cmake --build build-fuzz -j $(JOBS)
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$t; \
	  echo "== $$t ($(FUZZ_SECONDS) s)"; \
	  build-fuzz/bin/$${t}_fuzzer -max_total_time=$(FUZZ_SECONDS) -max_len=65536 -timeout=10 \
	    -rss_limit_mb=4096 -print_final_stats=1 build-fuzz/corpus/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

# The Debian package, built in Release mode for /usr.
package: deps
	@command -v dpkg-shlibdeps >/dev/null || { [ "$$(id -u)" = 0 ] && apt-get install -y -q dpkg-dev; }
	cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DBUILD_TESTING=OFF
	cmake --build build-package -j $(JOBS)
	cd build-package && cpack -G DEB
	@ls build-package/markwell_*.deb

# markwell-cli against highlight and Pygments (where installed) and cat, in
# a Release build of the engine and the benchmarks. BENCH_ARGS go to
# bench/compare, e.g. BENCH_ARGS=--large. BENCH_EDITOR=ON builds the editor
# too and then runs the editor benchmark offscreen (EDITOR_BENCH_ARGS go to it).
BENCH_ARGS ?=
BENCH_EDITOR ?= OFF
EDITOR_BENCH_ARGS ?=
bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARKWELL_BUILD_BENCHMARKS=ON \
	  -DMARKWELL_BUILD_EDITOR=$(BENCH_EDITOR) -DBUILD_TESTING=OFF
	cmake --build build-bench -j $(JOBS)
	bench/compare --build build-bench $(BENCH_ARGS)
	@if [ "$(BENCH_EDITOR)" = ON ] && [ -x build-bench/bin/markwell-editor-benchmark ]; then \
	  QT_QPA_PLATFORM=offscreen build-bench/bin/markwell-editor-benchmark $(EDITOR_BENCH_ARGS); fi

clean:
	rm -rf $(BUILD_DIR) build-asan build-fuzz build-bench build-package
