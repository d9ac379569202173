#!/usr/bin/env bash
# Draws the status window's picture (800 x 600 JPEG): a dusk sky over a circuit's start
# straight, kerbs, a grandstand and a chequered gantry. Kept dark in the upper and lower
# thirds so that the yellow title, credits and status line stay readable over it.
# Needs ImageMagick. Usage: tools/make-artwork.sh [out.jpg]
set -euo pipefail
out=${1:-"$(dirname "$0")/../resources/status-picture.jpg"}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Sky: deep blue at the top to a warm orange at the horizon (y = 330).
convert -size 800x330 gradient:'#0b1533'-'#d9793a' "$tmp/sky.png"
convert -size 800x270 gradient:'#1d2a1a'-'#0d130c' "$tmp/ground.png"
convert "$tmp/sky.png" "$tmp/ground.png" -append "$tmp/base.png"

# Chequered squares for the gantry, drawn as one strip.
cheq=""
for ((i = 0; i < 20; i++)); do
  x=$((200 + i * 20))
  if ((i % 2 == 0)); then
    cheq+=" rectangle $x,150 $((x + 19)),169 rectangle $((x + 20)),170 $((x + 39)),189"
  fi
done

convert "$tmp/base.png" \
  -fill '#f4d9a8' -draw 'circle 610,300 610,274' \
  -fill '#24301f' -draw 'polygon 0,330 120,280 260,318 380,290 520,322 660,284 800,320 800,340 0,340' \
  -fill '#3a3f47' -draw 'polygon 330,330 470,330 800,600 0,600' \
  -fill '#c8102e' -draw 'polygon 322,330 330,330 0,600 0,560' -draw 'polygon 470,330 478,330 800,560 800,600' \
  -fill white -draw 'polygon 326,330 330,330 0,584 0,572' -draw 'polygon 470,330 474,330 800,572 800,584' \
  -stroke '#e8e8e8' -strokewidth 3 -draw 'line 400,335 400,360' -draw 'line 400,380 400,420' \
  -draw 'line 400,450 400,520' -draw 'line 400,560 400,600' -stroke none \
  -fill '#1b1f26' -draw 'rectangle 196,150 204,330' -draw 'rectangle 596,150 604,330' \
  -fill '#1b1f26' -draw 'rectangle 200,146 600,193' \
  -fill white -draw 'rectangle 200,150 600,189' -fill black -draw "$cheq" \
  -fill '#2c3440' -draw 'polygon 20,330 20,250 250,222 250,330' \
  -fill '#465263' -draw 'polygon 20,250 250,222 250,232 20,262' \
  -fill '#ffd21f' -draw 'rectangle 40,270 230,276' -draw 'rectangle 40,290 230,296' \
  -quality 88 -sampling-factor 2x2 -strip "$out"
identify "$out"
