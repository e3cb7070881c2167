#!/usr/bin/env bash
# Renders the desktop icon's PNG sizes from its SVG; run after changing the SVG and commit the PNGs.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../desktop/icons"
for size in 16 24 32 48 64 128 256; do
  mkdir -p "$size"
  rsvg-convert -w "$size" -h "$size" org.marlune.Marlune.svg -o "$size/org.marlune.Marlune.png"
done
