#!/usr/bin/env bash
# The checks after the native and Windows tests: every test suite again under AddressSanitizer
# and UndefinedBehaviorSanitizer, then a short pass of every fuzz target (FUZZ_SECONDS each,
# default 30). The fuzz targets' long runs are made by hand with tools/fuzz.sh SECONDS.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== sanitize build and tests"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize

echo "== short fuzz pass"
tools/fuzz.sh "${FUZZ_SECONDS:-30}"
