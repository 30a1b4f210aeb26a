#!/usr/bin/env bash
# Renders the committed PNG icons from their SVG sources (needs rsvg-convert, package
# librsvg2-bin). slau-16.svg, slau-32.svg and slau-48.svg are drawn on their own pixel grids,
# where the large drawing's digits would blur; 64 and up come from slau.svg.
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")"
for size in 16 32 48; do
    rsvg-convert -w "$size" -h "$size" "slau-$size.svg" -o "slau-$size.png"
done
for size in 64 128 256; do
    rsvg-convert -w "$size" -h "$size" slau.svg -o "slau-$size.png"
done
