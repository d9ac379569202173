#!/usr/bin/env bash
# Draws the loader's icon: a chequered flag over a steering wheel on a dark blue tile. The
# start-up form's own image is the 64 x 64 one in 256 colours; beside it the icon carries the
# sizes Windows shows, so that Explorer, the taskbar and the title bars need not scale it:
# 16, 32 and 48 pixels in 32-bit colour with transparent corners, and 256 pixels stored as PNG,
# as Windows keeps its large icons. Needs ImageMagick. Usage: tools/make-icon.sh [out.ico]
set -euo pipefail
out=${1:-"$(dirname "$0")/../resources/orvo-loader.ico"}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The drawing on the 64-pixel grid, at scale $1 (1 for 64 x 64, 4 for 256 x 256).
draw() {
  local s=$1 size=$((64 * $1))
  convert -size "${size}x$size" xc:none \
    -draw "scale $s,$s fill #13294b roundrectangle 1,1 62,62 10,10" \
    -draw "scale $s,$s stroke #ffd21f stroke-width 5 fill none circle 32,34 32,12" \
    -draw "scale $s,$s stroke #ffd21f stroke-width 4 line 32,34 32,55 line 32,34 13,30 line 32,34 51,30" \
    -draw "scale $s,$s fill #ffd21f circle 32,34 32,40" \
    -draw "scale $s,$s fill white rectangle 6,6 26,20" \
    -draw "scale $s,$s fill black rectangle 6,6 11,10 rectangle 16,6 21,10 rectangle 11,11 16,15
           rectangle 21,11 26,15 rectangle 6,16 11,20 rectangle 16,16 21,20" \
    "$2"
}

draw 1 "$tmp/64.png"
draw 4 "$tmp/256.png"
# The form's image: no transparency in 256 colours, the tile's blue fills the corners.
convert "$tmp/64.png" -background '#13294b' -alpha remove -colors 256 -type Palette BMP3:"$tmp/64.bmp"
# The smaller sizes averaged down from the large drawing, which keeps the thin lines smooth.
for size in 16 32 48; do
  convert "$tmp/256.png" -filter Lanczos -resize "${size}x$size" "PNG32:$tmp/$size.png"
done
# 8 bits a channel: the PNG inside the icon would otherwise take this ImageMagick's 16.
convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" \( "$tmp/64.bmp" -type Palette \) "$tmp/256.png" \
  -depth 8 -define png:bit-depth=8 -define png:color-type=6 "$out"
identify "$out"
