# Quillstone: the commands a developer and CI run. Everything goes through CMake and CTest.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= 2
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=
PREFIX     ?= /usr/local

.PHONY: all deps build run demo test test-asan bench fuzz format check-format clean install package \
  check-install

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLSTONE_WERROR=ON \
	  -DQUILLSTONE_BENCH=ON $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run

demo: build
	@scripts/demo

test: build
	ctest --test-dir $(BUILD) -j $(JOBS) --output-on-failure

# Installs the programs, their shipped files, desktop entry, icons, metainfo, man pages and
# bash completion under PREFIX (DESTDIR=dir stages them below dir, as packagers do).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the same install: $(BUILD)/quillstone_<version>_<architecture>.deb.
package: build
	cmake --build $(BUILD) --target package

# Installs into a temporary prefix and checks what is there, and the package (CI runs it).
check-install: build
	BUILD=$(BUILD) scripts/check-install

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLSTONE_WERROR=ON \
	  -DQUILLSTONE_SANITIZE=ON -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) -j $(JOBS) --output-on-failure

# The benchmarks are part of every release build, so a change that breaks them fails the build.
bench: build
	@scripts/install-deps --bench
	$(BUILD)/bench/quillstone_bench

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DQUILLSTONE_FUZZ=ON $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

check-format: deps
	scripts/check-format

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) build-bench demo-out
