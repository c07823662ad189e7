# The two commands a new machine needs: `make run` and `make test`.
# Each installs the Debian packages the project uses when they are missing.

BUILD      ?= build/release
SAN_BUILD  ?= build/sanitize
COV_BUILD  ?= build/coverage
FUZZ_BUILD ?= build/fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
EXAMPLE    ?= examples/wordfreq/wordfreq.c_cvs

PACKAGES := cmake ninja-build g++ pkg-config python3 \
	libgtest-dev libbenchmark-dev \
	libfltk1.3-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri libxtst-dev \
	libegl-dev libegl-mesa0 libpng-dev \
	libfreetype-dev libfontconfig1-dev fonts-liberation \
	libgit2-dev git cvs rcs \
	clang-16 libclang-rt-16-dev gcovr \
	xvfb xdotool x11-utils x11-apps netpbm openbox

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test test-sanitize coverage fuzz test-ratio bench install clean examples

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/quillon $(EXAMPLE)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-ratio

# The suite's size against the code's: at most 0.40, aimed at a third.
test-ratio:
	@count() { git ls-files -- "$$@" | grep -E '\.(c|cc|cpp|h|hpp)$$' | xargs cat | grep -cv '^\s*$$'; }; \
	code=$$(count src tools); tests=$$(count tests); \
	awk -v t=$$tests -v c=$$code 'BEGIN { r = t / c; \
		printf "Lines of tests: %d; of src and tools: %d; tests/code = %.3f (at most 0.40)\n", t, c, r; \
		if (r > 0.40) { print "The tests are over their budget of 0.40."; exit 1 } }'

test-sanitize: deps
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Sanitize -DQUILLON_BENCHMARKS=OFF
	cmake --build $(SAN_BUILD) -j $(JOBS)
	ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

# Line coverage of src/ and tools/ by the whole suite, in a Debug build of
# its own.
coverage: deps
	cmake -S . -B $(COV_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLON_BENCHMARKS=OFF \
		-DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage
	cmake --build $(COV_BUILD) -j $(JOBS)
	find $(COV_BUILD) -name '*.gcda' -delete
	ctest --test-dir $(COV_BUILD) --output-on-failure -j $(JOBS)
	gcovr -r . --filter 'src/' --filter 'tools/' --print-summary $(COV_BUILD) \
		--txt $(COV_BUILD)/coverage.txt

# Every reader of outside input under libFuzzer for FUZZ_SECONDS each.
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-16 \
		-DQUILLON_FUZZ=ON -DQUILLON_BENCHMARKS=OFF
	cmake --build $(FUZZ_BUILD) --target fuzzers -j $(JOBS)
	scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	$(BUILD)/bench/quillon-bench --benchmark_counters_tabular=true

examples:
	python3 scripts/make_example.py examples/wordfreq

install: build
	cmake --install $(BUILD)

clean:
	rm -rf build
