#!/usr/bin/env bash
# Draws the program icon (res/corvandel.ico: 16, 32 and 48 pixels) with
# ImageMagick. The icon is committed; run this only to change it.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
for size in 16 32 48; do
  r=$((size / 6)); e=$((size - 1)); pt=$((size * 7 / 10))
  /usr/bin/convert -size ${size}x${size} xc:none \
    -fill '#1f5f8b' -draw "roundrectangle 0,0,$e,$e,$r,$r" \
    -fill '#d8e9ec' -draw "roundrectangle 1,1,$((e - 1)),$((size / 2)),$r,$r" \
    -fill '#1f5f8b' -draw "roundrectangle 1,$((size / 3)),$((e - 1)),$((e - 1)),$r,$r" \
    -font DejaVu-Sans-Bold -pointsize $pt -fill white -gravity center -annotate +0+1 'C' \
    "$tmp/icon$size.png"
done
/usr/bin/convert "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" res/corvandel.ico
