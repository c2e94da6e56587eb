# Two entry points for people: `make play` and `make test`. Both first make
# sure the Debian packages the game and its tests need are installed.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build play test package art screenshots clean

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

clean:
	rm -rf $(BUILD_DIR)
