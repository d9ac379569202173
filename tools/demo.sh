#!/usr/bin/env bash
# Builds the loader and runs its main job on the bundled demo: a profile listing two
# companion programs, a game that runs about two seconds and a follow-up program; then
# prints the LoaderLog.txt that the run wrote.
#   tools/demo.sh            the Linux build
#   tools/demo.sh windows    the Windows build, under Wine
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-native}
tools/setup-debian.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target orvo-loader orvo-demo

bin=$PWD/build/$preset/bin
demo=$PWD/build/demo-$preset
rm -rf "$demo"
mkdir -p "$demo/Loader/Profiles" "$demo/Game" "$demo/Manager"
ext=""; [ "$preset" = windows ] && ext=.exe
cp "$bin/orvo-loader$ext" "$demo/Loader/"
# The game's program name ends in .exe on every platform: the loader takes its folder there.
cp "$bin/orvo-demo$ext" "$demo/Game/gpl.exe"
cp "$bin/orvo-demo$ext" "$demo/Manager/orvo-demo$ext"

if [ "$preset" = windows ]; then
  source tools/wine-env.sh
  text() { winepath -w "$1" 2>/dev/null; }
  # Unquoted on purpose: Wine quotes an argument that holds a blank, as a shortcut would not.
  # shellcheck disable=SC2086
  run() { wine "$demo/Loader/orvo-loader.exe" $1; wineserver -w; }
else
  # Path texts use backslashes; on Linux each one stands for '/'.
  text() { printf '%s' "$1" | tr '/' '\\'; }
  run() { "$demo/Loader/orvo-loader" "$1"; }
fi
companion=$(text "$demo/Manager/orvo-demo$ext")
printf '; Demo profile: two companion programs that run beside the game.\r\n[0]\r\npath = %s companion timing\r\n\r\n[1]\r\npath = %s companion telemetry\r\n' \
  "$companion" "$companion" > "$demo/Loader/Profiles/Demo.bst"

line="$(text "$demo/Game/gpl.exe") game;$(text "$demo/Manager/orvo-demo$ext") followup;Demo"
echo "== orvo-loader $line"
run "$line"
sleep 0.5
echo "== $demo/Loader/LoaderLog.txt"
cat "$demo/Loader/LoaderLog.txt"
