#!/usr/bin/env bash
# Builds both presets and runs every test: the native tests, then the Windows build's tests
# under Wine in a virtual X display, then the sanitizer build's tests and a short fuzz pass
# (tools/ci-extra.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh

echo "== native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== Windows build, tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows
source tools/wine-env.sh
ctest --preset windows

echo "== the players' release zip"
tools/check-release.sh

tools/ci-extra.sh
