#!/bin/bash
# The Windows orvo under Wine saves through a symbolic link of the host's file system, as a
# player on Linux has one (a settings file linked in from elsewhere): the file the link leads to
# takes the new text, the link stays a link, and the backup stands beside the link with the old
# text. Wine shows such a link to Windows programs as the file it leads to, not as a link.
# Usage: save_through_host_link.sh ORVO_EXE
set -u
exe=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '[A]\r\nx = 1 ; note\r\n' > "$dir/old"
printf '[A]\r\nx = 2 ; note\r\n' > "$dir/new"
mkdir "$dir/game" && cp "$dir/old" "$dir/game/real.ini" && ln -s real.ini "$dir/game/game.ini"
wine "$exe" ini set "Z:${dir//\//\\}\\game\\game.ini" A x 2 || { echo "orvo failed"; exit 1; }
fail=0
[ -L "$dir/game/game.ini" ] || { echo "game.ini is no longer a link"; fail=1; }
cmp -s "$dir/new" "$dir/game/real.ini" || { echo "real.ini does not hold the new text"; fail=1; }
cmp -s "$dir/old" "$dir/game/game.ini.PreOrvo" || { echo "no backup with the old text"; fail=1; }
names=$(cd "$dir/game" && ls -A | tr '\n' ' ')
[ "$names" = "game.ini game.ini.PreOrvo real.ini " ] || { echo "the folder holds: $names"; fail=1; }
exit $fail
