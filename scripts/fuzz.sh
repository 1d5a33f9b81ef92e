#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each for a bounded time,
# one after the other on one core.
#   scripts/fuzz.sh [SECONDS] [TARGET...]    20 seconds and every target by default
# Each target's corpus grows in build-fuzz/fuzz/corpus/TARGET (so a later run
# goes on from it), seeded from the installed files; a crashing input is kept as
# build-fuzz/fuzz/crashes/TARGET-crash-*. Prints a table of inputs run and
# crashes found; exits 1 when a target crashed.
set -euo pipefail
cd "$(dirname "$0")/.."
secondes="${1:-20}"
shift || true
if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ absent: no fuzz run (bash scripts/setup.sh installs it)"
  exit 0
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSELVANE_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz --target fuzz -j "$(nproc)"
dossier=build-fuzz/fuzz
cibles=("$@")
if [ "${#cibles[@]}" -eq 0 ]; then read -r -a cibles < "$dossier/cibles.txt"; fi
mkdir -p "$dossier/crashes" "$dossier/journaux"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
echo "| target | seconds | inputs run | crashes |"
echo "|---|---|---|---|"
echec=0
for cible in "${cibles[@]}"; do
  mkdir -p "$dossier/corpus/$cible"
  journal="$dossier/journaux/$cible.txt"
  statut=0
  SELVANE_FUZZ_DOSSIER="$(mktemp -d /dev/shm/selvane_fuzz.XXXXXX 2>/dev/null || mktemp -d)"
  export SELVANE_FUZZ_DOSSIER
  "$dossier/$cible" -max_total_time="$secondes" -timeout=30 -rss_limit_mb=2048 -max_len=8192 \
    -print_final_stats=1 -artifact_prefix="$dossier/crashes/$cible-" \
    "$dossier/corpus/$cible" "$dossier/semences/$cible" >"$journal" 2>&1 || statut=$?
  rm -rf "$SELVANE_FUZZ_DOSSIER"
  entrees=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$journal" | grep -o '[0-9]*$' || true)
  crashes=$(find "$dossier/crashes" -name "$cible-*" | wc -l)
  echo "| $cible | $secondes | ${entrees:-?} | $crashes |"
  if [ "$statut" -ne 0 ] || [ "$crashes" -ne 0 ]; then
    echec=1
    tail -40 "$journal" >&2
  fi
done
exit "$echec"
