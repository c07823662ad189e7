# The two commands a new machine needs: `make run` and `make test`.
# Each installs the Debian packages the project uses when they are missing.

BUILD      ?= build/release
SAN_BUILD  ?= build/sanitize
JOBS       ?= $(shell nproc)
EXAMPLE    ?= examples/wordfreq/wordfreq.c_cvs

PACKAGES := cmake ninja-build g++ pkg-config python3 \
	libgtest-dev libbenchmark-dev \
	libfltk1.3-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri libxtst-dev \
	libfreetype-dev libfontconfig1-dev fonts-liberation \
	libgit2-dev git cvs rcs \
	xvfb xdotool x11-utils x11-apps netpbm openbox

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test test-sanitize bench install clean examples

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

test-sanitize: deps
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Sanitize -DQUILLON_BENCHMARKS=OFF
	cmake --build $(SAN_BUILD) -j $(JOBS)
	ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/quillon-bench --benchmark_counters_tabular=true

examples:
	python3 scripts/make_example.py examples/wordfreq

install: build
	cmake --install $(BUILD)

clean:
	rm -rf build
