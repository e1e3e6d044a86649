#!/usr/bin/env bash
# Renders the window icon (ui/qt/images/vorsa.svg) into the PNG sizes of the
# hicolor theme that the install puts beside the SVG. Needs rsvg-convert
# (librsvg2-bin) and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" ../../ui/qt/images/vorsa.svg | convert - -strip "png32:vorsa-$size.png"
done
