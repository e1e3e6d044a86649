#!/usr/bin/env bash
# Makes the icons that the Win32 window's resources hold from the tool
# button pictures (ui/images/*.png, 32 x 32), with the sizes of 120, 144 and
# 192 dpi beside the design's 32, so the image list need not scale at run
# time. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
for name in open extract tickall untickall; do
  convert "../../images/$name.png" \( -clone 0 -resize 40x40 \) \
    \( -clone 0 -resize 48x48 \) \( -clone 0 -resize 64x64 \) "$name.ico"
done
