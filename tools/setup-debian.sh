#!/usr/bin/env bash
# Installs every Debian package that building, testing, benchmarking and fuzzing need.
# Idempotent: packages already present are left alone, and apt runs only when one is missing.
#
# A package mirror caught mid-sync serves some package lists with the wrong size; apt then
# reads every other list and exits 100. So a list that cannot be read is a warning: the update
# is tried again a few times, then the set-up goes on with the lists it has. A package that
# still cannot be installed stops the set-up when the demo or the native, 64-bit Windows,
# sanitizer or fuzz runs need it; any other is named once, with what its absence costs.
#
# ORVO_SETUP_TRIES (default 3) and ORVO_SETUP_PAUSE (seconds, default 15) bound the update's
# retries.
set -euo pipefail

needed=(
  cmake ninja-build g++ pkg-config
  googletest libgtest-dev libgmock-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 xvfb
  unzip locales
  clang libclang-rt-14-dev
  libcli11-dev
)
# What each optional package's absence costs, in the words the set-up prints.
declare -A cost=(
  [wine32:i386]="the 32-bit Windows programs are built but not run under Wine on this machine"
  [libbenchmark-dev]="tools/bench.sh cannot build the benchmarks"
  [hyperfine]="tools/bench.sh cannot time the loader against a script"
  [libinih-dev]="the benchmarks cannot be built against inih"
  [libsimpleini-dev]="the benchmarks cannot be built against SimpleIni"
  [libiniparser-dev]="the benchmarks cannot be built against iniParser"
  [libminini-dev]="the benchmarks cannot be built against minIni"
  [xdotool]="the screenshot scripts cannot move the mouse out of the picture"
  [x11-apps]="the screenshot scripts cannot take a screenshot"
  [imagemagick]="the screenshot scripts and the icon and artwork scripts cannot run"
)
optional=(wine32:i386 libbenchmark-dev hyperfine libinih-dev libsimpleini-dev libiniparser-dev
          libminini-dev xdotool x11-apps imagemagick)
tries=${ORVO_SETUP_TRIES:-3}
pause=${ORVO_SETUP_PAUSE:-15}

as_root=()
if [ "$(id -u)" != 0 ]; then as_root=(sudo); fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# Reads the package lists again, up to $tries times; a list that cannot be read is named, and
# after the last try the set-up goes on with what apt has.
update_lists() {
  local try err
  err=$(mktemp)
  for ((try = 1; ; try++)); do
    if "${as_root[@]}" apt-get update -qq 2>"$err"; then rm -f "$err"; return 0; fi
    echo "setup: warning: apt could not read every package list (try $try of $tries):"
    sed -n 's/^[EW]: Failed to fetch \([^ ]*\) *\(.*\)$/setup:   \1: \2/p' "$err" | sort -u
    grep -v -e 'Failed to fetch' -e '^ ' -e 'index files failed to download' "$err" | sed 's/^/setup:   /' || true
    if ((try >= tries)); then break; fi
    sleep "$pause"
  done
  rm -f "$err"
  echo "setup: going on with the package lists apt could read; a package that depends on a list above may not install"
}

# Installs the packages given in one apt run; prints apt's first error line when it fails.
apt_install() {
  local out
  if out=$(DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "$@" 2>&1); then
    return 0
  fi
  printf '%s\n' "$out" | grep -m1 '^E:' | sed 's/^E: *//' || true
  return 1
}

# Installs the packages given, all at once or else one by one; prints "package<TAB>reason" for
# each that could not be installed.
install_all_or_each() {
  ((${#@} == 0)) && return 0
  apt_install "$@" >/dev/null && return 0
  local p reason
  for p in "$@"; do
    if ! reason=$(apt_install "$p"); then printf '%s\t%s\n' "$p" "${reason:-apt gave no reason}"; fi
  done
}

# Both Wine architectures side by side: the 32-bit build's programs run under wine32, which
# comes from Debian's i386 architecture. Added once; apt's lists are then read again below.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture for wine32"
  "${as_root[@]}" dpkg --add-architecture i386
fi

missing_needed=() missing_optional=()
for p in "${needed[@]}"; do installed "$p" || missing_needed+=("$p"); done
for p in "${optional[@]}"; do installed "$p" || missing_optional+=("$p"); done

if ((${#missing_needed[@]} + ${#missing_optional[@]} == 0)); then
  echo "setup: all $((${#needed[@]} + ${#optional[@]})) packages present"
else
  echo "setup: installing $(printf '%s ' "${missing_needed[@]}" "${missing_optional[@]}")"
  update_lists
  failed=$(install_all_or_each "${missing_needed[@]}")
  if [ -n "$failed" ]; then
    echo "setup: cannot install what the builds and tests need: $(printf '%s' "$failed" | awk -F'\t' '{printf "%s%s (%s)", (NR > 1 ? "; " : ""), $1, $2}')" >&2
    exit 1
  fi
  failed=$(install_all_or_each "${missing_optional[@]}")
  while IFS=$'\t' read -r p reason; do
    [ -n "$p" ] || continue
    echo "setup: not installed: $p ($reason); so ${cost[$p]}"
  done <<<"$failed"
fi

# A locale whose decimal separator is a comma, for the tests of the regional time texts.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  echo "setup: generating the locale de_DE.UTF-8"
  "${as_root[@]}" localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
fi
