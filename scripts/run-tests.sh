#!/usr/bin/env bash
# The test command: installs what is missing, builds everything and runs every test through
# CTest: the persistence tests under the sanitizers first, then the whole suite, whose CTest
# summary closes the output.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${VESK_BUILD_DIR:-$root/build}"

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"

status=0
bash "$root/scripts/sanitizer-tests.sh" || status=1

echo
echo "== The whole suite"
(cd "$build" && ctest --output-on-failure -j "$(nproc)" --timeout 600) || status=1

exit $status
