# Two entry points for people: `make play` and `make test`. Both first make
# sure the Debian packages the game and its tests need are installed.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build play test package art screenshots bench soak sanitize memcheck clean

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The game reads its pictures and font from its working directory. Without
# a display the library would abort with a core dump; say why instead.
play: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make play: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); run it from a desktop session" >&2; exit 1; fi
	cd assets && ../$(BUILD_DIR)/kitrovane

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 300

# The Debian package, kitrovane_*.deb in $(BUILD_DIR)/.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# Redraws every picture in assets/ and the zone map from tools/art/.
art: build
	$(BUILD_DIR)/tools/art/kitrovane_art . assets docs/zone-map.png

# Plays the game under Xvfb for the README's screenshots in docs/screenshots/.
screenshots: build
	tools/screenshots.sh $(BUILD_DIR)

# Frame pacing, CPU per frame, start-up and peak memory of the game against
# a bare SFML loop, side by side, then the micro figures (docs/PERFORMANCE.md).
# A build directory of its own; BENCH_REPETITIONS and BENCH_SECONDS (per
# screen) set the length.
BENCH_DIR ?= build-bench
BENCH_REPETITIONS ?= 5
BENCH_SECONDS ?= 10
bench: deps
	cmake -S . -B $(BENCH_DIR)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target kitrovane baseline swap_stamp bench_driver micro_bench
	$(BENCH_DIR)/bench/bench_driver --game $(BENCH_DIR)/kitrovane --baseline $(BENCH_DIR)/bench/baseline \
	  --preload $(BENCH_DIR)/bench/libswap_stamp.so --micro $(BENCH_DIR)/bench/micro_bench --assets assets \
	  --repetitions $(BENCH_REPETITIONS) --seconds $(BENCH_SECONDS) --output $(BENCH_DIR)/bench-results

# Ten minutes on the title screen and ten on an end screen, resident memory
# sampled all along (SOAK_SECONDS per screen). Not part of CI.
soak: deps
	cmake -S . -B $(BENCH_DIR)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target kitrovane
	tools/soak.sh $(BENCH_DIR)/kitrovane assets $(BENCH_DIR)/soak-results

# The in-process and window tests against an AddressSanitizer and
# UndefinedBehaviorSanitizer build, in a build directory of its own.
ASAN_DIR ?= build-asan
sanitize: deps
	cmake -S . -B $(ASAN_DIR) -DKITROVANE_SANITIZE=ON
	cmake --build $(ASAN_DIR) -j $(JOBS)
	tests/sanitizers/run-sanitized.sh $(ASAN_DIR)

# A short session of the game under valgrind's memcheck.
memcheck: build
	tests/sanitizers/valgrind-play.sh $(BUILD_DIR)/kitrovane assets

clean:
	rm -rf $(BUILD_DIR)
