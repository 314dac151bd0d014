#!/usr/bin/env bash
# The persistence tests under the sanitizers, each in a build configuration of its own that
# builds only the plug-in's test executable:
#
#   build-asan  AddressSanitizer and UndefinedBehaviorSanitizer: state blocks, preset files
#               and size files come from hosts and disks and may hold anything, so their
#               readers run with every read past a buffer, overflow, undefined conversion
#               and runaway recursion fatal (the mutation tests feed them thousands).
#   build-tsan  ThreadSanitizer: a host restoring a state on one thread while its audio
#               thread processes blocks; any overlap of the oversampling switch with a block
#               is reported as a data race.
#
# Prints each CTest summary; exits non-zero when a build step or a test fails.
#
#   VESK_SANITIZER_THREAD=0  skips the ThreadSanitizer configuration
#   VESK_ASAN_BUILD_DIR, VESK_TSAN_BUILD_DIR  the build folders
#   VESK_JOBS                parallel jobs (default: all cores)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="${VESK_JOBS:-$(nproc)}"

# -O1 with line tables only: the instrumented framework code still runs at a usable speed
# and reports carry file and line, while the build takes a fraction of an -O2 -g build.
# Release assertions (NDEBUG), as shipped. Host tests load built bundles; not needed here.
flags="-O1 -g1 -DNDEBUG"

# Sanitizer runtimes map memory at fixed places; kernels with a large address-space
# randomisation can collide with them, so the tests run without randomisation when possible.
run_without_aslr=()
if command -v setarch > /dev/null && setarch "$(uname -m)" -R true 2> /dev/null; then
    run_without_aslr=(setarch "$(uname -m)" -R)
fi

# run_configuration BUILD_FOLDER SANITIZERS TEST_REGEX
run_configuration() {
    local build="$1" sanitizers="$2" tests="$3"
    echo "== $sanitizers: $build"
    # Chained: errexit does not apply inside a function called from an || list.
    cmake -S "$root" -B "$build" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_FLAGS_RELWITHDEBINFO="$flags" \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$flags" \
        -DVESK_SANITIZE="$sanitizers" \
        -DVESK_BUILD_HOST_TESTS=OFF \
        && cmake --build "$build" -j "$jobs" --target vesk-q84d-tests \
        && (cd "$build" && "${run_without_aslr[@]}" ctest --output-on-failure --no-tests=error -j "$jobs" --timeout 900 -R "$tests")
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}"

status=0

run_configuration "${VESK_ASAN_BUILD_DIR:-$root/build-asan}" address,undefined \
    '^(Mutation|PluginState|UserPresets|EditorSizeStore|StateConcurrency)\.' || status=1

if [ "${VESK_SANITIZER_THREAD:-1}" != 0 ]; then
    run_configuration "${VESK_TSAN_BUILD_DIR:-$root/build-tsan}" thread \
        '^(StateConcurrency|PluginState)\.' || status=1
fi

exit $status
