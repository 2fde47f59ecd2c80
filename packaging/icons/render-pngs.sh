#!/usr/bin/env bash
# Renders the hicolor PNGs of the icon from its SVG. Run it by hand after a
# change of the drawing and commit the PNGs, so that a build needs no renderer:
#   bash packaging/icons/render-pngs.sh
# It also gathers them into the Windows icon packaging/windows/flexara.ico
# (ImageMagick's convert).
set -euo pipefail
cd "$(dirname "$0")"
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing: bash scripts/install-deps.sh" >&2; exit 1; }
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert --width "$size" --height "$size" org.flexara.Flexara.svg -o "${size}x${size}/org.flexara.Flexara.png"
done
convert {16x16,24x24,32x32,48x48,64x64,128x128,256x256}/org.flexara.Flexara.png ../windows/flexara.ico
