#!/usr/bin/env bash
# Renders the committed PNG icons from their SVG sources (needs rsvg-convert, package
# librsvg2-bin). slau-16.svg is drawn on the 16-pixel grid and gives 16 and, doubled, 32 pixels,
# where the large drawing's digits would blur; 48 and up come from slau.svg.
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")"
rsvg-convert -w 16 -h 16 slau-16.svg -o slau-16.png
rsvg-convert -w 32 -h 32 slau-16.svg -o slau-32.png
for size in 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" slau.svg -o "slau-$size.png"
done
