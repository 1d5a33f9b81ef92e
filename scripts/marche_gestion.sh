#!/usr/bin/env bash
# A long random walk through GestSelvane: SEQUENCES sequences of 12 user actions from seed
# FIRST on (default 20000 from 1000001, past the seeds the test suite runs), every table and
# file checked against the reference. Needs a build (scripts/build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
export SELVANE_MARCHE_SEQUENCES="${1:-20000}"
export SELVANE_MARCHE_GRAINE="${2:-1000001}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
debut=$(date +%s)
build/tests/test_manager --gtest_filter='GestionMarche.*' 2>&1 | grep -v propagateSizeHints
echo "seeds ${SELVANE_MARCHE_GRAINE} to $((SELVANE_MARCHE_GRAINE + SELVANE_MARCHE_SEQUENCES - 1)), $(( $(date +%s) - debut )) s"
