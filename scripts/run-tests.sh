#!/usr/bin/env bash
# The test command: installs what is missing, builds everything and runs every test
# through CTest, then the sanitizer configuration.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VESK_BUILD_DIR:-$root/build}"

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"

status=0
(cd "$build" && ctest --output-on-failure -j "$(nproc)" --timeout 600) || status=1

if [ -x "$root/scripts/sanitizer-tests.sh" ] || [ -f "$root/scripts/sanitizer-tests.sh" ]; then
    bash "$root/scripts/sanitizer-tests.sh" || status=1
fi

exit $status
