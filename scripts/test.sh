#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   scripts/test.sh              the Release build in build/
#   scripts/test.sh --sanitize   the same suite under AddressSanitizer and
#                                UndefinedBehaviorSanitizer, in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ "${1:-}" = "--sanitize" ]; then
  # Leaks are not checked: Qt and fontconfig keep caches for the life of the process.
  export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:strict_string_checks=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSELVANE_SANITIZE=ON -DSELVANE_WERROR=ON
  cmake --build build-sanitize -j "$(nproc)"
  ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
  exit 0
fi
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"
