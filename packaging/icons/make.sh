#!/usr/bin/env bash
# Renders the icon's PNG sizes for the hicolor theme from its SVG drawings: 16 and
# 24 pixels from the drawings made for them, the larger sizes from trackdeck.svg.
# Needs rsvg-convert (librsvg2-bin).
#
#     packaging/icons/make.sh
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mkdir -p "$here/png"
render() {  # SIZE SOURCE
    rsvg-convert --width "$1" --height "$1" "$here/$2" --output "$here/png/trackdeck-$1.png"
}
render 16 trackdeck-16.svg
render 24 trackdeck-24.svg
for size in 32 48 64 128 256; do
    render "$size" trackdeck.svg
done
