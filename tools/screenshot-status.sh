#!/usr/bin/env bash
# Shows the status window under Wine in a virtual display, with a message, and saves a
# screenshot of the part of the screen that holds it, for a person to look at.
#   tools/screenshot-status.sh [out.png] [message] [pump|block]
# "block" keeps the demo from servicing its window after setting the message, as a long
# blocking step would: the message must show all the same.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/status-window.png}")
message=${2:-"Indexing core.ini"}
mode=${3:-pump}
cmake --preset windows >/dev/null
cmake --build --preset windows --target orvo-status-demo
source tools/wine-env.sh
log=$(mktemp)
wine build/windows/bin/orvo-status-demo.exe "$message" 8 "$mode" >"$log" 2>&1 &
# The demo prints "shown:" once the window is up with its message.
for _ in $(seq 150); do grep -q '^shown:' "$log" && break; sleep 0.2; done
grep -q '^shown:' "$log" || { echo "the demo did not show its window:" >&2; cat "$log" >&2; exit 1; }
sleep 1
xwd -root -silent | convert xwd:- -crop 640x480+320+272 +repage "$out"
wineserver -w || true
rm -f "$log"
echo "screenshot: $out"
