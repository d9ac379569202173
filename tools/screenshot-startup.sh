#!/usr/bin/env bash
# Shows the Windows loader's start-up window under Wine in a virtual display and saves a
# screenshot of the screen while the demo game runs.  Usage: tools/screenshot-startup.sh [out.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/startup-window.png}")
cmake --preset windows >/dev/null
cmake --build --preset windows --target orvo-loader orvo-demo
source tools/wine-env.sh
work=$(mktemp -d)
cp build/windows/bin/orvo-loader.exe "$work/"
cp build/windows/bin/orvo-demo.exe "$work/gpl.exe"
game=$(winepath -w "$work/gpl.exe")
wine "$work/orvo-loader.exe" "$game" "game;;" &
sleep 1.5
xwd -root -silent | convert xwd:- -crop 640x360+320+332 "$out"
wineserver -w || true
rm -rf "$work"
echo "screenshot: $out"
