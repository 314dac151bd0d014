#!/usr/bin/env bash
# Configures and builds everything in ./build (Release). Extra arguments go to cmake --build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VESK_BUILD_DIR:-$root/build}"
jobs="${VESK_JOBS:-$(nproc)}"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j "$jobs" "$@"
