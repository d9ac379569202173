#!/usr/bin/env bash
# The set-up's decisions when a package mirror is mid-sync, with no network: apt-get, dpkg,
# dpkg-query, locale and sudo are stand-ins first on PATH, answering from a folder of their own
# ($STANDIN: installed, refused, broken-list; every apt-get call is written to "calls").
# Usage: setup_debian_test.sh tools/setup-debian.sh
set -uo pipefail
setup=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
stand_in() { cat >"$work/bin/$1"; chmod +x "$work/bin/$1"; }
stand_in dpkg-query <<<$'#!/bin/bash\ngrep -qxF "${!#}" "$STANDIN/installed" && printf \'install ok installed\''
stand_in apt-get <<'EOF2'
#!/bin/bash
echo "$1" >>"$STANDIN/calls"
if [ "$1" = update ] && [ -s "$STANDIN/broken-list" ]; then
  echo "E: Failed to fetch $(cat "$STANDIN/broken-list")  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]" >&2
  echo "   Hashes of expected file:" >&2
  echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
  exit 100
fi
if [ "$1" = install ]; then
  shift
  if printf '%s\n' "$@" | grep -qxF -f "$STANDIN/refused"; then
    echo "E: Unable to correct problems, you have held broken packages."
    exit 100
  fi
  printf '%s\n' "$@" | grep -v '^-' >>"$STANDIN/installed"
fi
EOF2
stand_in dpkg <<<$'#!/bin/sh\necho i386'
stand_in locale <<<$'#!/bin/sh\necho de_DE.utf8'
stand_in sudo <<<$'#!/bin/sh\nexec "$@"'

failures=0
check() {   # check CASE DESCRIPTION COMMAND...: one failed expectation is one line
  local case=$1 what=$2; shift 2
  if ! "$@"; then echo "FAIL [$case] $what"; failures=$((failures + 1)); fi
}
# run CASE REFUSED BROKEN_LIST: a fresh machine, the set-up run once; its output in $out.
run() {
  export STANDIN=$work/$1
  mkdir -p "$STANDIN"
  printf '%s\n' $2 >"$STANDIN/refused"
  printf '%s' "$3" >"$STANDIN/broken-list"
  touch "$STANDIN/installed" "$STANDIN/calls"
  out=$(PATH="$work/bin:$PATH" ORVO_SETUP_PAUSE=0 bash "$setup" 2>&1)
  status=$?
}
count() { grep -c -- "$1" <<<"$2"; }

run clean "" ""
check clean "installs and exits 0" test "$status" = 0
check clean "reads the lists once" test "$(count update "$(cat "$STANDIN/calls")")" = 1
check clean "installs wine32 and the rest" grep -qx 'wine32:i386' "$STANDIN/installed"
calls=$(wc -l <"$STANDIN/calls")
out=$(PATH="$work/bin:$PATH" bash "$setup" 2>&1)
check clean "a second run finds everything present" grep -q 'packages present' <<<"$out"
check clean "a second run calls no apt-get" test "$(wc -l <"$STANDIN/calls")" = "$calls"

list=http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz
run mid-sync "wine32:i386" "$list"
check mid-sync "goes on and exits 0" test "$status" = 0
check mid-sync "reads the lists three times, no more" test "$(count update "$(cat "$STANDIN/calls")")" = 3
check mid-sync "names the list that failed" grep -q "^setup:   $list: File has unexpected size" <<<"$out"
check mid-sync "says it goes on" grep -q 'going on with the package lists' <<<"$out"
check mid-sync "names wine32 once, with its cost" test "$(count 'wine32' "$(grep -v '^setup: installing' <<<"$out")")" = 1
check mid-sync "wine32's cost" grep -q 'not installed: wine32:i386 (Unable to correct problems, you have held broken packages.); so the 32-bit Windows programs are built but not run under Wine on this machine' <<<"$out"
for p in libgtest-dev wine64 clang hyperfine libminini-dev; do
  check mid-sync "still installs $p" grep -qx "$p" "$STANDIN/installed"
done

run needed-refused "libgtest-dev wine32:i386" "$list"
check needed-refused "stops with a failure" test "$status" != 0
check needed-refused "one line names the package and why" test "$(count 'cannot install' "$out")" = 1
check needed-refused "the line" grep -q '^setup: cannot install what the builds and tests need: libgtest-dev (Unable to correct problems, you have held broken packages.)$' <<<"$out"

((failures == 0)) || { printf '%s\n' "--- the last run's output:" "$out"; exit 1; }
echo "setup decisions: 3 cases passed"
