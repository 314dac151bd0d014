#!/usr/bin/env bash
# The persistence tests under AddressSanitizer and UndefinedBehaviorSanitizer: state blocks,
# preset files and size files come from hosts and disks and may hold anything, so their
# readers run here with every read past a buffer, overflow or undefined conversion fatal.
# Builds only the plug-in's test executable, in a configuration of its own, and runs those
# tests through CTest. Exits non-zero when a build step or a test fails.
#
#   VESK_ASAN_BUILD_DIR  the build folder (default: build-asan)
#   VESK_SANITIZER_TESTS a CTest regular expression for the tests to run
#   VESK_JOBS            parallel jobs (default: all cores)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VESK_ASAN_BUILD_DIR:-$root/build-asan}"
jobs="${VESK_JOBS:-$(nproc)}"
tests="${VESK_SANITIZER_TESTS:-^(Mutation|PluginState|UserPresets|EditorSizeStore|StateConcurrency)\.}"

# Optimised, so the instrumented framework code runs at a usable speed, with line numbers
# in the reports. Host tests load built bundles and are not needed here.
cmake -S "$root" -B "$build" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVESK_SANITIZE=address,undefined \
    -DVESK_BUILD_HOST_TESTS=OFF
cmake --build "$build" -j "$jobs" --target vesk-q84d-tests

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

cd "$build"
ctest --output-on-failure --no-tests=error -j "$jobs" --timeout 900 -R "$tests"
