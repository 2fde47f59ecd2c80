#!/usr/bin/env bash
# Renders the hicolor PNGs of the icon from its SVG. Run it by hand after a
# change of the drawing and commit the PNGs, so that a build needs no renderer:
#   bash packaging/icons/render-pngs.sh
set -euo pipefail
cd "$(dirname "$0")"
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing: bash scripts/install-deps.sh" >&2; exit 1; }
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert --width "$size" --height "$size" org.flexara.Flexara.svg -o "${size}x${size}/org.flexara.Flexara.png"
done
