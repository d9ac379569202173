#!/usr/bin/env bash
# Builds both players' release zips (windows32: "-win32", i686; windows: "-win64", x86-64) and
# checks each as a player gets it: its checksum in SHA256SUMS, its contents, the programs'
# architecture and version resources, the loader's icon and its size; then, unpacked into a fresh folder, its loader runs
# under Wine with a profile of two companions that would run for a minute, a third with
# "kill = tree" that starts a grandchild and stays, and a game that runs a second. The whole
# log must show the companions started with real ids, the game, "Out of GPL" and all killed in
# start order; no companion, nor the grandchild, may outlive the run; and the zip's orvo.exe
# must pass the profile check, of the file and of the loader's command line. The players' texts
# end their lines in CR LF, and README.txt gives the loader's path in the folder the zip holds.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${WINEPREFIX:-}" ] || source tools/wine-env.sh
max_loader_bytes=$((600 * 1024))

fail() { echo "release: $*" >&2; exit 1; }

# The machine field of a PE file's header: 014c for i386, 8664 for x86-64.
pe_machine() {
  local pe
  pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' '
}

check_zip() {
  local preset=$1 system=$2 machine=$3
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target package >/dev/null
  local release=build/$preset/release
  local zip
  zip=$(ls "$release"/orvo-loader-*-"$system".zip)
  (cd "$release" && sha256sum --quiet -c SHA256SUMS) || fail "$zip: checksum does not match SHA256SUMS"

  local work
  work=$(mktemp -d)
  (cd "$work" && unzip -q "$OLDPWD/$zip")
  local folder
  folder=$(ls -d "$work"/orvo-loader-*)
  for f in orvo-loader.exe orvo.exe README.txt Profiles/Example.bst; do
    [ -f "$folder/$f" ] || fail "$zip: $f missing"
  done
  # The players' texts: CR LF line ends, which every Notepad shows as lines, and a README.txt
  # that names the one folder the zip unpacks to where it gives the loader's path.
  [ "$(unzip -Z1 "$zip" | cut -d/ -f1 | sort -u)" = "$(basename "$folder")" ] ||
    fail "$zip: does not unpack to the one folder $(basename "$folder")"
  for text in README.txt Profiles/Example.bst; do
    if LC_ALL=C grep -qv $'\r$' "$folder/$text" || [ "$(tail -c1 "$folder/$text" | od -An -c | tr -d ' ')" != '\n' ]; then
      fail "$zip: $text has a line that does not end in CR LF"
    fi
  done
  grep -qF "C:\\Orvo\\$(basename "$folder")\\orvo-loader.exe" "$folder/README.txt" ||
    fail "$zip: README.txt does not give the loader's path as the zip unpacks"
  for exe in orvo-loader.exe orvo.exe; do
    [ "$(pe_machine "$folder/$exe")" = "$machine" ] || fail "$zip: $exe is not built for $system"
  done
  # What Explorer shows of each program, read out of it by windres: the version resource's
  # usual fields, none empty, with the program's own file name as the original one; and the
  # loader's icon group, one image for each size Windows shows beside the start-up form's own
  # 64 x 64 in 256 colours (its entries give width and height in octal, 0 for 256).
  local resources field image group
  for exe in orvo-loader.exe orvo.exe; do
    resources=$(x86_64-w64-mingw32-windres -i "$folder/$exe" -O rc) || fail "$zip: windres cannot read $exe's resources"
    for field in CompanyName FileDescription FileVersion InternalName LegalCopyright OriginalFilename ProductName ProductVersion; do
      grep -q "^ *VALUE \"$field\", \"[^\"]" <<<"$resources" || fail "$zip: $exe's version resource has no $field"
    done
    grep -qF "VALUE \"OriginalFilename\", \"$exe\"" <<<"$resources" ||
      fail "$zip: $exe's version resource gives another OriginalFilename"
    [ "$exe" = orvo-loader.exe ] || continue
    group=$(sed -n 's/^ *"\\\([0-7]*\)\\\([0-7]*\)\\[0-7]*\\[0-7]*", [0-9]*, \([0-9]*\),.*/\1 \2 \3/p' <<<"$resources" |
      while read -r w h bits; do echo "$((8#$w ? 8#$w : 256))x$((8#$h ? 8#$h : 256))/$bits"; done)
    for image in 16x16 32x32 48x48 256x256 64x64/8; do
      grep -qE "^$image(/[0-9]+)?\$" <<<"$group" ||
        fail "$zip: orvo-loader.exe's icon has no $image image (width x height/bits; it has $(echo $group))"
    done
  done
  local size
  size=$(stat -c %s "$folder/orvo-loader.exe")
  ((size <= max_loader_bytes)) || fail "$zip: orvo-loader.exe has $size bytes, more than $max_loader_bytes"

  if [ "$machine" = 014c ] && [ "${ORVO_WINE32:-yes}" = no ]; then
    echo "release: $zip checked, its run NOT MADE: $ORVO_WINE32_WHY"
    rm -rf "$work"
    return
  fi

  # The companions and the game: the build's own helper under four names, recording its
  # start into a file and then sleeping; the third first starts a grandchild.
  mkdir "$folder/companions" "$folder/game"
  local helper=build/$preset/bin/orvo-test-helper.exe
  cp "$helper" "$folder/companions/first.exe"
  cp "$helper" "$folder/companions/second.exe"
  cp "$helper" "$folder/companions/third.exe"
  cp "$helper" "$folder/game/gpl.exe"
  local win
  win=$(winepath -w "$folder")
  printf '[0]\r\npath=%s\\companions\\first.exe record first.txt 60000\r\n[1]\r\npath=%s\\companions\\second.exe record second.txt 60000\r\n[2]\r\npath=%s\\companions\\third.exe starter third.txt stay\r\nkill = tree\r\n' \
    "$win" "$win" "$win" > "$folder/Profiles/Check.bst"

  # Separate words, as a desktop shortcut passes them: Wine would quote one word with blanks.
  (cd "$work" && wine "$folder/orvo-loader.exe" "$win\\game\\gpl.exe" record game.txt "1000;;Check")
  # A killed companion ends on its own time: give it a moment before calling it a survivor.
  for _ in $(seq 50); do pgrep -f 'companions.(first|second|third)\.exe' >/dev/null || break; sleep 0.1; done
  if pgrep -af 'companions.(first|second|third)\.exe'; then
    pkill -f 'companions.(first|second|third)\.exe' || true
    fail "$zip: a companion outlived the run"
  fi

  local log=$folder/LoaderLog.txt
  [ -f "$log" ] || fail "$zip: no LoaderLog.txt"
  # The log without its timestamps; the lines of the "Calling GPL:" block have none.
  tr -d '\r' < "$log" | sed 's|^[0-9][0-9]/[0-9][0-9]/[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9] ||' > "$work/log.txt"
  local first second third
  first=$(sed -n 's/^Started: .*first\.exe record first\.txt 60000 as \([0-9]*\)$/\1/p' "$work/log.txt")
  second=$(sed -n 's/^Started: .*second\.exe record second\.txt 60000 as \([0-9]*\)$/\1/p' "$work/log.txt")
  third=$(sed -n 's/^Started: .*third\.exe starter third\.txt stay as \([0-9]*\)$/\1/p' "$work/log.txt")
  [[ "$first" =~ ^[1-9][0-9]*$ && "$second" =~ ^[1-9][0-9]*$ && "$third" =~ ^[1-9][0-9]*$ ]] ||
    { cat "$log"; fail "$zip: companions not started with real ids"; }
  # Every entry of a complete run, in order: both companions killed in the order they started.
  local game="$win\\game\\gpl.exe record game.txt 1000" drive=${win:0:1}
  printf '%s\n' "Started" "$game;;Check" "Set Dir to $win\\game" "Set Drive to $drive" "Indexing Check.bst" \
    "Started: $win\\companions\\first.exe record first.txt 60000 as $first" \
    "Started: $win\\companions\\second.exe record second.txt 60000 as $second" \
    "Started: $win\\companions\\third.exe starter third.txt stay as $third" \
    "Calling GPL:$game;;Check" "$game" "" "Check" "" "RunApp:$game" "Out of GPL" \
    "Killed Process$first" "Killed Process$second" "Killed Process$third" "Set Dir to $win" "Set Drive to $drive" > "$work/expected.txt"
  diff "$work/expected.txt" "$work/log.txt" || fail "$zip: the log is not that of a complete run (expected < > logged)"
  [ -f "$folder/game/game.txt" ] || fail "$zip: the game did not run"
  [ -f "$folder/game/third.txt.grandchild" ] || fail "$zip: the tree-mode companion started no grandchild"

  local answer
  answer=$(cd "$folder" && wine orvo.exe profile check 'Profiles\Check.bst' | tr -d '\r') ||
    fail "$zip: orvo.exe profile check failed: $answer"
  [ "$answer" = 'Profiles\Check.bst: 3 to start, none missing' ] || fail "$zip: orvo.exe answered '$answer'"
  # The same command line, as the shortcut would give it, through the loader's folder of the zip.
  answer=$(cd "$folder" && wine orvo.exe profile check --command "$game;;Check" | tr -d '\r') ||
    fail "$zip: orvo.exe profile check --command failed: $answer"
  [ "$answer" = "all is well: the game '$win\\game\\gpl.exe', 3 programs from '$win\\Profiles\\Check.bst', no follow-up" ] ||
    fail "$zip: orvo.exe profile check --command answered '$answer'"
  # Unzipped into a folder whose name this Windows cannot write in its ANSI code page (Greek
  # letters under Wine's Western code page, the host naming files in UTF-8), the loader would
  # read no profile: orvo says so.
  local greek=$work/$'\xce\x95\xce\xbb\xce\xbb\xce\xb7\xce\xbd\xce\xb9\xce\xba\xce\xac'
  mkdir "$greek" && cp "$folder/orvo.exe" "$greek/"
  answer=$(cd "$folder" && LC_ALL=C.UTF-8 wine "$greek/orvo.exe" profile check --command "$game;;" | tr -d '\r') &&
    fail "$zip: orvo.exe passed a loader's folder outside the code page: $answer"
  [[ "$answer" == "the loader's folder has characters outside this Windows' ANSI code page"* ]] ||
    fail "$zip: orvo.exe answered for a loader's folder outside the code page: '$answer'"

  # Every orvo command that README.txt shows a player, run as it stands in a command prompt in
  # the loader's folder, with Race.bst copied from the example as it says: each must be a
  # command orvo takes (exit 0, or 1 for a finding), none a usage error (2).
  cp "$folder/Profiles/Example.bst" "$folder/Profiles/Race.bst"
  local example status
  while IFS= read -r example; do
    # A batch file holds the line exactly as a player types it, quotes and all.
    printf '%s\r\n' "@$example" > "$work/example.bat"
    status=0
    (cd "$folder" && wine cmd /c "$(winepath -w "$work/example.bat")" >/dev/null 2>"$work/example.err") || status=$?
    ((status <= 1)) || fail "$zip: README.txt's example '$example' ended with $status: $(tr -d '\r' < "$work/example.err")"
  done < <(tr -d '\r' < "$folder/README.txt" | sed -n 's/^ \{4,\}\(orvo [^ ].*\)$/\1/p' | sed 's/   .*$//')

  rm -rf "$work"
  echo "release: $zip ($(stat -c %s "$zip") bytes; loader $size bytes) unpacks, runs three companions (one a tree) and the game, and orvo.exe checks the profile"
}

check_zip windows32 win32 014c
check_zip windows win64 8664
