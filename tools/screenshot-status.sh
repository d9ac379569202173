#!/usr/bin/env bash
# Builds the Windows status-window demo, runs it under Wine on a private Xvfb display and
# takes a screenshot of the screen while the window shows, as a PNG for a person to look at.
#
#   tools/screenshot-status.sh [out.png] [message] [pump|block]
#
# Environment: DISPLAY_NUMBER (default 57), WINEPREFIX (default /tmp/wine-status-demo),
# BUILD_DIR (default build/windows, configured with the windows preset when missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-"$root/build/status-window.png"}
message=${2:-"Indexing core.ini"}
mode=${3:-pump}
display=":${DISPLAY_NUMBER:-57}"
build=${BUILD_DIR:-"$root/build/windows"}
export WINEPREFIX=${WINEPREFIX:-/tmp/wine-status-demo} WINEDEBUG=-all

if [[ ! -f "$build/build.ninja" ]]; then
  (cd "$root" && cmake --preset windows >/dev/null)
fi
cmake --build "$build" --target orvo-status-demo -j2 >/dev/null
demo="$build/bin/orvo-status-demo.exe"

tmp=$(mktemp -d)
xvfb_pid=""
demo_pid=""
cleanup() {
  [[ -n "$demo_pid" ]] && kill "$demo_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

wine "$demo" "$message" 30 "$mode" >"$tmp/demo.out" 2>&1 &
demo_pid=$!
# Wait until the demo has set its message (a fresh prefix takes a while to create), then
# give the window a moment to reach the screen.
for _ in $(seq 600); do grep -q '^shown:' "$tmp/demo.out" 2>/dev/null && break; sleep 0.2; done
grep -q '^shown:' "$tmp/demo.out" || { echo "the demo did not start:" >&2; cat "$tmp/demo.out" >&2; exit 1; }
sleep 2

xwd -root -silent >"$tmp/screen.xwd"
mkdir -p "$(dirname "$out")"
convert "xwd:$tmp/screen.xwd" "$out"
echo "$out"
