#!/usr/bin/env bash
# Installs what is missing, builds, and starts Selvane from its program directory.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Selvane est construit, mais aucun écran n'est disponible." >&2
  echo "Sans écran, lancez-le ainsi : xvfb-run build/bin/Selvane" >&2
  exit 1
fi
exec build/bin/Selvane
