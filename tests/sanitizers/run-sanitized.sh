#!/usr/bin/env bash
# Runs the tests of a sanitizer build (cmake -DKITROVANE_SANITIZE=ON) with
# the environment they need:   tests/sanitizers/run-sanitized.sh BUILD_DIR
#
# Mesa's software OpenGL driver leaves 112 bytes allocated at exit, and the
# driver is unloaded (dlclose) before LeakSanitizer looks, so the report can
# neither name the leak nor be told to skip it. Preloading the driver keeps
# it mapped to the very end: its memory is then still referenced from the
# driver and is not reported, while leak checking stays on for everything
# else (leak_canary checks that). The preload puts the driver ahead of the
# sanitizer runtime in the load order, which ASan would otherwise refuse.
set -euo pipefail
build=${1:?usage: run-sanitized.sh BUILD_DIR}

driver=/usr/lib/$(gcc -print-multiarch)/dri/swrast_dri.so
[ -f "$driver" ] || { echo "run-sanitized: no $driver (Debian package libgl1-mesa-dri)" >&2; exit 1; }

export LD_PRELOAD=$driver
export ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Every sanitizer report ends the program with a non-zero status, which the
# window tests check on every run of the game.
cd "$build"
ctest --output-on-failure --timeout 600 -L 'unit|window|sanitizer'
