#!/usr/bin/env bash
# Builds the players' release zip, unpacks it into a fresh folder and runs the loader from
# there under Wine with the example profile: the run must index the profile, try both of its
# programs (which do not exist on this machine, so they are logged with id 0) and reach the
# end of the game.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build --preset windows --target package >/dev/null
zip=$(ls build/windows/release/orvo-loader-*-win32.zip)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && unzip -q "$OLDPWD/$zip")
folder=$(ls -d "$work"/orvo-loader-*)
for f in orvo-loader.exe README.txt Profiles/Example.bst; do
  [ -f "$folder/$f" ] || { echo "release: $f missing"; exit 1; }
done
[ -n "${WINEPREFIX:-}" ] || source tools/wine-env.sh
wine "$folder/orvo-loader.exe" 'C:\windows\system32\cmd.exe' '/c' 'exit;;Example'
wineserver -w
log="$folder/LoaderLog.txt"
tr -d '\r' < "$log" | cut -c19- > "$work/log.txt"
for expected in 'Indexing Example.bst' 'Out of GPL' 'Killed Process0'; do
  grep -qxF "$expected" "$work/log.txt" || { echo "release: no '$expected' in"; cat "$log"; exit 1; }
done
[ "$(grep -c '^Started: .* as 0$' "$work/log.txt")" = 2 ] || { echo "release: two programs expected"; cat "$log"; exit 1; }
echo "release: $zip unpacks and runs with the example profile"
