#!/bin/bash
# The Windows orvo under Wine, killed (SIGKILL, as a player's power button or the task manager
# ends it) at random moments of a save of a 20 MiB file: a replace by a new file (one link) and
# a write in place (a second link). Whatever the moment, the next binding finds the old text or
# the new one at the name, never no file and never a mix, and the save after it leaves nothing
# beside the file.
# Usage: killed_save_wine.sh ORVO_EXE [KILLS_PER_WAY]
set -u
exe=$1 kills=${2:-10}
dir=$(mktemp -d)
trap 'pkill -KILL -f "orvo.exe ini" 2>/dev/null; rm -rf "$dir"' EXIT
win() { echo "Z:${1//\//\\}"; }
{ printf '[A]\r\nx = 1\r\n'; yes 'key = value ; a line that the edit moves' | head -c 20M | sed 's/$/\r/'; } > "$dir/old"
mkdir "$dir/game"
file=$dir/game/big.ini
set_x() { wine "$exe" ini set "$(win "$file")" A x "$1" --no-backup; }

# The save's own process under Wine, once it has started.
appears() { for _ in $(seq 1000); do pgrep -f "orvo.exe ini set" >/dev/null && return; sleep 0.01; done; }
# The new text, and how long an unkilled save runs once its process is there, from one save of
# its own.
cp "$dir/old" "$file"
set_x "a longer value" >/dev/null 2>&1 &
appears
start=$(date +%s%N)
wait $! || { echo "orvo failed"; exit 1; }
took=$((($(date +%s%N) - start) / 1000000))
cp "$file" "$dir/new"
rm -f "$file"

fail=0 killed=0
for way in replace in-place; do
  for ((k = 0; k < kills; k++)); do
    rm -rf "$dir/game" && mkdir "$dir/game" && cp "$dir/old" "$file"
    [ "$way" = in-place ] && ln "$file" "$dir/game/other.ini"
    set_x "a longer value" >/dev/null 2>&1 &
    appears
    # Any moment of the save's run (its very end is mostly the program's own ending).
    sleep "$(awk -v t="$took" -v r="$RANDOM" 'BEGIN { printf "%.3f", 0.85 * t * r / 32768 / 1000 }')"
    pkill -KILL -f "orvo.exe ini set" && killed=$((killed + 1))
    wait
    moment="$way, kill $k"
    value=$(wine "$exe" ini get "$(win "$file")" A x 2>&1 | tr -d '\r')
    if [ "$value" != 1 ] && [ "$value" != "a longer value" ]; then echo "$moment: the next binding read '$value'"; fail=1; fi
    cmp -s "$file" "$dir/old" || cmp -s "$file" "$dir/new" || { echo "$moment: the file holds neither text"; fail=1; }
    set_x 3 >/dev/null 2>&1 || { echo "$moment: the next save failed"; fail=1; }
    names=$(cd "$dir/game" && ls -A | tr '\n' ' ')
    expected="big.ini "
    [ "$way" = in-place ] && expected="big.ini other.ini "
    [ "$names" = "$expected" ] || { echo "$moment: after the next save the folder holds: $names"; fail=1; }
  done
done
echo "$killed of $((2 * kills)) saves killed part-way (an unkilled save took $took ms)"
# A kill that never came in time would leave this test proving nothing.
((killed >= kills / 2)) || { echo "too few saves were killed part-way"; fail=1; }
exit $fail
