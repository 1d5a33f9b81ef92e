#!/usr/bin/env bash
# Installs every Debian package Selvane needs to build, run, test and benchmark.
# Idempotent: apt-get skips what is already there.
set -euo pipefail

PAQUETS=(
  build-essential cmake ninja-build pkg-config
  libswe-dev swe-standard-data
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev qt6-translations-l10n
  fonts-liberation fontconfig fonts-dejavu-core fonts-symbola python3-fonttools
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth poppler-utils
  tzdata locales python3
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

# A French locale, so the decimal-comma test of the conversions runs instead of
# being skipped. Generated once; later runs find it.
if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  if [ -f /etc/locale.gen ] && grep -q '^# *fr_FR.UTF-8 UTF-8' /etc/locale.gen; then
    $SUDO sed -i 's/^# *\(fr_FR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^fr_FR.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'fr_FR.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
  $SUDO locale-gen
fi
