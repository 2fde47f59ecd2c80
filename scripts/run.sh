#!/usr/bin/env bash
# Installs what is missing, builds the optimised configuration and starts the
# program. Without a display (no DISPLAY or WAYLAND_DISPLAY) it runs the batch
# tool on the bundled example column instead and prints its interaction curve.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)"
if [ -x build/release/app/flexara ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/release/app/flexara "$@"
fi
echo "No display found: the batch tool on examples/pilar-20x40.fxr (see README.md)." >&2
exec build/release/cli/flexara-cli curve examples/pilar-20x40.fxr --format json
