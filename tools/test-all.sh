#!/usr/bin/env bash
# Builds every preset and runs every test: the native tests, then the 64-bit and the 32-bit
# Windows builds' tests under Wine in a virtual X display, the check of both players' release
# zips, then the sanitizer build's tests and a short fuzz pass (tools/ci-extra.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh

echo "== native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

source tools/wine-env.sh
for preset in windows windows32; do
  echo "== $preset build, tests under Wine"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  if [ "$preset" = windows32 ] && [ "$ORVO_WINE32" = no ]; then
    echo "== $preset tests NOT RUN: this host cannot start 32-bit programs (its kernel runs no 32-bit code)"
    continue
  fi
  ctest --preset "$preset"
done

echo "== the players' release zips"
tools/check-release.sh

tools/ci-extra.sh
