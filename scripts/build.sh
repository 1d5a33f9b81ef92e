#!/usr/bin/env bash
# Configures and builds everything (programs, data files, tests, benchmarks) into build/, warnings
# as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DSELVANE_WERROR=ON
cmake --build build -j "$(nproc)"
