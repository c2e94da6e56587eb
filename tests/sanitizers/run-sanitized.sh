#!/usr/bin/env bash
# Runs the tests of a sanitizer build (cmake -DKITROVANE_SANITIZE=ON) with
# the environment they need:   tests/sanitizers/run-sanitized.sh BUILD_DIR
#
# Mesa's software OpenGL driver leaks 112 bytes at exit and is unloaded
# before LeakSanitizer reports; keep_gl_driver (preloaded into every program
# the tests start) keeps that one driver loaded, see its source for why.
set -euo pipefail
build=${1:?usage: run-sanitized.sh BUILD_DIR}

keeper=$(realpath "$build")/tests/libkeep_gl_driver.so
[ -f "$keeper" ] || { echo "run-sanitized: $keeper missing: is $build a KITROVANE_SANITIZE build?" >&2; exit 1; }

export LD_PRELOAD=$keeper
# The keeper comes before the sanitizer runtime in the load order; it
# defines no allocation function, so that order is safe.
export ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Every sanitizer report ends the program with a non-zero status, which the
# window tests check on every run of the game.
cd "$build"
ctest --output-on-failure --timeout 600 -L 'unit|window|sanitizer'
