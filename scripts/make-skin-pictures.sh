#!/usr/bin/env bash
# Draws the two pictures of data/Skin with ImageMagick: Splash.bmp (the
# start-up splash, an 8-bit BMP that LoadImage reads) and BG.jpg (the tree's
# background: a soft light gradient with a faint watermark, kept low in
# contrast because the tree's text lies on it). Both are committed; run this
# only to change them.
set -euo pipefail
cd "$(dirname "$0")/.."
out=data/Skin
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

# Splash: 360 x 180, a dark band with the product name over the panel colour;
# the splash file's caption goes along the foot.
/usr/bin/convert -size 360x180 gradient:'#eef6f8'-'#d8e9ec' \
  -fill '#1f5f8b' -draw 'rectangle 0,0,359,96' \
  -fill '#d8e9ec' -draw 'rectangle 0,96,359,99' \
  -font DejaVu-Sans-Bold -pointsize 40 -fill white -gravity north -annotate +0+20 'Corvandel' \
  -font DejaVu-Sans -pointsize 13 -fill '#d8e9ec' -gravity north -annotate +0+70 'Windows settings, one place' \
  -fill none -stroke '#1f5f8b' -draw 'rectangle 0,0,359,179' \
  -type Palette -colors 256 -compress None BMP3:"$out/Splash.bmp"

# Tree background: 320 x 400, white to a pale tint of the panel colour, with
# a large, barely visible "C" in the lower right.
/usr/bin/convert -size 320x400 gradient:'#ffffff'-'#eaf3f5' \
  -font DejaVu-Sans-Bold -pointsize 260 -fill '#e2eef1' -gravity southeast -annotate +10-30 'C' \
  -quality 85 -strip "$out/BG.jpg"
