#!/usr/bin/env bash
# Renders the committed PNG icons from their SVG sources (needs rsvg-convert, package
# librsvg2-bin). slau-16.svg is drawn for 16 pixels on its own; the other sizes come from slau.svg.
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")"
rsvg-convert -w 16 -h 16 slau-16.svg -o slau-16.png
for size in 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" slau.svg -o "slau-$size.png"
done
