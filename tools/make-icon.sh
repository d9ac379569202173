#!/usr/bin/env bash
# Draws the loader's icon (64 x 64 pixels, 256 colours): a chequered flag over a steering
# wheel on a dark blue tile. Needs ImageMagick. Usage: tools/make-icon.sh [out.ico]
set -euo pipefail
out=${1:-"$(dirname "$0")/../resources/orvo-loader.ico"}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 64x64 xc:none \
  -fill '#13294b' -draw 'roundrectangle 1,1 62,62 10,10' \
  -stroke '#ffd21f' -strokewidth 5 -fill none -draw 'circle 32,34 32,12' \
  -strokewidth 4 -draw 'line 32,34 32,55' -draw 'line 32,34 13,30' -draw 'line 32,34 51,30' \
  -stroke none -fill '#ffd21f' -draw 'circle 32,34 32,40' \
  -fill white -draw 'rectangle 6,6 26,20' \
  -fill black -draw 'rectangle 6,6 11,10' -draw 'rectangle 16,6 21,10' \
  -draw 'rectangle 11,11 16,15' -draw 'rectangle 21,11 26,15' \
  -draw 'rectangle 6,16 11,20' -draw 'rectangle 16,16 21,20' \
  "$tmp/icon.png"
convert "$tmp/icon.png" -background '#13294b' -alpha remove -colors 256 -type Palette BMP3:"$tmp/icon.bmp"
convert "$tmp/icon.bmp" -type Palette "$out"
identify "$out"
