#!/usr/bin/env bash
# Renders the SVG drawings into the PNG files that the Qt resources hold,
# so the program needs no SVG support at run time. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
for name in open extract tickall untickall; do
  convert -background none -density 96 "$name.svg" -resize 32x32 "png32:$name.png"
done
convert -background none -density 96 vorsa.svg -resize 64x64 png32:vorsa.png
