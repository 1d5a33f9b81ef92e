#!/usr/bin/env bash
# Installs every Debian package Selvane needs to build, run, test and benchmark.
# Idempotent: apt-get skips what is already there.
set -euo pipefail

PAQUETS=(
  build-essential cmake ninja-build pkg-config
  libswe-dev swe-standard-data
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
  fonts-liberation fontconfig fonts-dejavu-core fonts-symbola python3-fonttools
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

manquants=()
for p in "${PAQUETS[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    manquants+=("$p")
  fi
done

# The atlas generator runs on Node.js; Debian's is enough where none is installed.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  manquants+=(nodejs npm)
fi

if [ "${#manquants[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${manquants[@]}"
fi
