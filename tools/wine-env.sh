# Sourced by the tools that run Windows programs: a Wine prefix of the project's own, a
# virtual X display for the windows and boxes, and clean-up when the caller exits.
# Usage: source tools/wine-env.sh
export WINEDEBUG=${WINEDEBUG:--all}
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine-orvo}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}

# Debian's `wine` prefers Wine's 32-bit loader, which is missing where wine32:i386 could not
# be installed and cannot start on a host whose kernel runs no 32-bit programs. There the
# 64-bit loader serves the 64-bit programs (through a `wine` of our own, first on PATH), the
# 32-bit programs cannot run at all, and ORVO_WINE32=no tells the scripts so; ORVO_WINE32_WHY
# is the reason they print beside the checks they could not make.
export ORVO_WINE32=yes ORVO_WINE32_WHY=""
if ! /usr/lib/wine/wine --version >/dev/null 2>&1 && [ -x /usr/lib/wine/wine64 ]; then
  ORVO_WINE32=no
  if [ -e /usr/lib/wine/wine ]; then
    ORVO_WINE32_WHY="this host cannot start 32-bit programs (its kernel runs no 32-bit code)"
  else
    ORVO_WINE32_WHY="wine32:i386 is not installed (tools/setup-debian.sh said why)"
  fi
  export WINELOADER=/usr/lib/wine/wine64
  orvo_wine_shims=$(mktemp -d)
  for shim in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' > "$orvo_wine_shims/$shim"
    chmod +x "$orvo_wine_shims/$shim"
  done
  export PATH="$orvo_wine_shims:$PATH"
fi

orvo_display=""
for n in $(seq 91 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then orvo_display=":$n"; break; fi
done
Xvfb "$orvo_display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
orvo_xvfb_pid=$!
export DISPLAY=$orvo_display
orvo_wine_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$orvo_xvfb_pid" >/dev/null 2>&1 || true
}
trap orvo_wine_cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${orvo_display#:}" ] && break; sleep 0.1; done
# The first start creates the prefix; doing it here keeps it out of the tests' time.
wineboot -i >/dev/null 2>&1 || true
wineserver -w >/dev/null 2>&1 || true
