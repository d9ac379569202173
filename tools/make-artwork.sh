#!/usr/bin/env bash
# Draws the status window's picture (800 x 600 JPEG): a circuit's start straight at dusk,
# with kerbs, a grandstand and a chequered flag beside the track. The bands behind the
# yellow title, credits and status line are kept dark and calm so that the text reads
# well over them: sky above, hills and grandstand low in the middle, asphalt below.
# Needs ImageMagick. Usage: tools/make-artwork.sh [out.jpg]
set -euo pipefail
out=${1:-"$(dirname "$0")/../resources/status-picture.jpg"}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Sky from night blue to a dusk red at the horizon (y = 300); dark grass below.
convert -size 800x300 gradient:'#070d24'-'#6b2f3c' "$tmp/sky.png"
convert -size 800x300 gradient:'#1a2616'-'#0a1008' "$tmp/ground.png"
convert "$tmp/sky.png" "$tmp/ground.png" -append "$tmp/base.png"

# A chequered flag on a pole, 5 x 4 squares of 14 pixels, waving slightly.
flag=""
for ((row = 0; row < 4; row++)); do
  for ((col = 0; col < 5; col++)); do
    if (((row + col) % 2 == 0)); then
      x=$((60 + col * 14)); y=$((392 + row * 14 + col * 2))
      flag+=" polygon $x,$y $((x + 14)),$((y + 2)) $((x + 14)),$((y + 16)) $x,$((y + 14))"
    fi
  done
done

# Stars in the upper sky.
stars=""
for xy in 40,22 130,64 215,18 305,48 390,12 470,58 560,26 655,70 720,20 780,52 95,110 610,104; do
  x=${xy%,*}; y=${xy#*,}
  stars+=" rectangle $x,$y $((x + 1)),$((y + 1))"
done

convert "$tmp/base.png" \
  -fill '#c9c3d6' -draw "$stars" \
  -fill '#e8b07a' -draw 'circle 772,284 772,270' \
  -fill '#161d14' -draw 'polygon 0,300 110,262 240,290 360,266 480,294 620,258 800,292 800,306 0,306' \
  -fill '#1f242b' -draw 'polygon 30,306 30,262 230,246 230,306' \
  -fill '#2c323b' -draw 'polygon 30,262 230,246 230,252 30,269' \
  -fill '#7a6a2a' -draw 'rectangle 48,278 214,281' -draw 'rectangle 48,290 214,293' \
  -fill '#2b2f35' -draw 'polygon 360,300 440,300 800,600 0,600' \
  -fill '#8c1022' -draw 'polygon 352,300 360,300 0,600 0,566' -draw 'polygon 440,300 448,300 800,566 800,600' \
  -fill '#b9b9b9' -draw 'polygon 356,300 360,300 0,588 0,577' -draw 'polygon 440,300 444,300 800,577 800,588' \
  -stroke '#6d6f73' -strokewidth 3 -draw 'line 400,305 400,325' -draw 'line 400,345 400,380' \
  -draw 'line 400,410 400,470' -draw 'line 400,510 400,600' -stroke none \
  -fill '#3b3f44' -draw 'rectangle 56,388 59,520' \
  -fill '#d8d8d8' -draw 'polygon 60,392 130,402 130,466 60,456' \
  -fill '#111111' -draw "$flag" \
  -quality 90 -sampling-factor 1x1 -strip "$out"
identify "$out"
