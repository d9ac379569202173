#!/usr/bin/env bash
# The launcher's own cost: wall time of a complete run of the loader (Linux build) whose game
# exits at once, with 0, 2 and 8 profile programs, against a shell script doing the same
# (start the companions, run the game, kill the companions, start the follow-up), timed by
# hyperfine in the same run. Usage: tools/bench-launcher.sh LOADER OUT_DIR
# Writes OUT_DIR/launcher-<n>.json (hyperfine's export) for n = 0, 2, 8.
set -euo pipefail
loader=$(realpath "$1")
out=$(realpath "$2")
work=$(mktemp -d /tmp/orvo-launcher-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

mkdir -p "$work/loader/Profiles" "$work/game"
cp "$loader" "$work/loader/orvo-loader"
# The game must carry the .exe name: the loader takes the game's folder from it. It and the
# follow-up end at once; the companions would run for an hour if nobody killed them.
cp /usr/bin/true "$work/game/gpl.exe"
cp /usr/bin/true "$work/followup.exe"
cp /usr/bin/sleep "$work/companion.exe"

cat > "$work/script.sh" <<'SCRIPT'
#!/bin/sh
# The same run as a shell script: $1 companions, the game, the kills, the follow-up.
here=$(dirname "$0")
cd "$here/game"
pids=""
i=0
while [ "$i" -lt "$1" ]; do
  "$here/companion.exe" 3600 &
  pids="$pids $!"
  i=$((i + 1))
done
./gpl.exe
[ -n "$pids" ] && kill -9 $pids
cd "$here/loader"
"$here/followup.exe" &
SCRIPT
chmod +x "$work/script.sh"

for n in 0 2 8; do
  profile="$work/loader/Profiles/Bench$n.bst"
  : > "$profile"
  for ((i = 0; i < n; i++)); do printf '[%d]\r\npath = %s 3600\r\n' "$i" "$work/companion.exe" >> "$profile"; done
  hyperfine --warmup 3 --min-runs 20 -N --export-json "$out/launcher-$n.json" \
    -n "loader, $n companions" "$work/loader/orvo-loader $work/game/gpl.exe;$work/followup.exe;Bench$n" \
    -n "script, $n companions" "$work/script.sh $n" >/dev/null
  # No companion may outlive either run.
  left=$(pgrep -f "$work/companion.exe" || true)
  if [ -n "$left" ]; then
    echo "companions left running after the $n-companion runs: $left" >&2
    for pid in $left; do kill -9 "$pid" 2>/dev/null || true; done
    exit 1
  fi
done
