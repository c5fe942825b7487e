#!/usr/bin/env bash
# Renders the program icon res/icon/marelto.svg to the PNG sizes the icon
# group carries (res/icon/marelto-<size>.png), and gathers them into the
# Windows icon res/icon/marelto.ico. Needs rsvg-convert (librsvg2-bin) and
# ImageMagick. The results are committed; building needs none of this.
set -euo pipefail

ROOT=$(cd "$(dirname "$0")/.." && pwd)
DIR="$ROOT/res/icon"
command -v rsvg-convert >/dev/null || { echo "missing tool: rsvg-convert" >&2; exit 1; }

for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$DIR/marelto.svg" -o "$DIR/marelto-$size.png"
done
convert "$DIR"/marelto-{16,24,32,48,64,128,256}.png "$DIR/marelto.ico"
echo "wrote $(ls "$DIR"/marelto-*.png | wc -l) icon sizes"
