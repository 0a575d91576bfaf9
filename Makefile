# Set-up, build, run and test. `make run` and `make test` install what is missing first.

PACKAGES := g++ cmake ninja-build qt6-base-dev qt6-base-private-dev libqt6sql6-sqlite libqt6opengl6-dev \
            qt6-svg-dev qt6-multimedia-dev qt6-charts-dev fp-utils libchm-dev poppler-utils \
            fonts-liberation2 xvfb xauth xdotool x11-xkb-utils x11-utils openbox sqlite3 \
            libx11-dev libxcb1-dev libxcb-present-dev libfontconfig-dev libxtst6 libxdamage1 strace dbus-daemon lld \
            qt6-translations-l10n
BUILD    := build
JOBS     ?= $(shell nproc)
SUDO     := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/bin/quendal

# The benchmark programs are built too: a change to the code they drive must not leave them broken.
test: build
	cmake --build $(BUILD) --target bench_programs -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Benchmarks: never part of the tests; run on a quiet machine and compare ratios.
# BENCH_RUNS=n sets the number of interleaved runs (default 5).
bench: build
	cmake --build $(BUILD) --target bench_programs -j $(JOBS)
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/bench_sound_play
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/stats_bench
	bench/run_bench.sh $(BUILD) $(BENCH_RUNS)

clean:
	rm -rf $(BUILD)
