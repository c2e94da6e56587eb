#!/usr/bin/env bash
# Installs the Debian packages needed to build, play and test the game, and
# only those that are missing. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
  g++ make cmake pkg-config   # the toolchain
  libsfml-dev                 # the game's only library
  googletest libgtest-dev     # in-process tests
  xvfb xdotool imagemagick    # window tests: a headless X server, keys, screenshots
  libx11-dev                  # the tests' close-request helper
  fonts-dejavu-core           # the test font
  libfreetype-dev zlib1g-dev libbenchmark-dev  # the art tool: text, indexed PNGs, decode timing
  dpkg-dev file lintian desktop-file-utils appstream  # the .deb: its Depends, its checks
  valgrind libgl1-mesa-dri libgl-dev  # bench and checks: memcheck, Mesa's software OpenGL, GL headers
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  run_as_root=()
elif command -v sudo >/dev/null; then
  run_as_root=(sudo)
else
  echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${run_as_root[@]}" apt-get update
"${run_as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
