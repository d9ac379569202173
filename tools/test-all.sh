#!/usr/bin/env bash
# Builds every preset and runs every test this machine can run: the native tests, the 64-bit and
# the 32-bit Windows builds' tests under Wine in a virtual X display, the check of both players'
# release zips, the sanitizer build's tests and a short pass of every fuzz target (FUZZ_SECONDS
# each, default 30). A suite that fails does not stop the others; at the end one line per suite
# gives its count, or the reason it could not run, and the script fails when any test that ran
# failed.
set -uo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh || exit 1   # it has said which package is missing, and why

summary=() failed_suites=0 total_passed=0 total_failed=0
logs=build/test-all   # each suite's output, kept for a look after the run
mkdir -p "$logs"

# note SUITE TEXT PASSED FAILED: one summary line, and the counts added to the totals.
note() {
  summary+=("$(printf '%-10s %s' "$1:" "$2")")
  total_passed=$((total_passed + $3)) total_failed=$((total_failed + $4))
  if (($4 > 0)); then failed_suites=$((failed_suites + 1)); fi
}

# ctest_suite PRESET UNIT: builds the preset and runs its tests; UNIT names what ctest counts.
ctest_suite() {
  local preset=$1 unit=$2 log=$logs/$1.log
  echo "== $preset build and tests"
  if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset"; }; then
    note "$preset" "BUILD FAILED" 0 1
    return
  fi
  ctest --preset "$preset" 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]} counts failed total skipped
  counts=$(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\)$/\1 \2/p' "$log" | tail -1)
  if [ -z "$counts" ]; then
    note "$preset" "ctest ended without a count (exit $status)" 0 1
    return
  fi
  read -r failed total <<<"$counts"
  skipped=$(grep -c '(Skipped)$' "$log")
  if ((status != 0 && failed == 0)); then failed=1; fi
  note "$preset" "$((total - failed - skipped)) passed, $failed failed, $skipped skipped ($unit)" \
    $((total - failed - skipped)) "$failed"
}

ctest_suite native "test cases"

source tools/wine-env.sh
ctest_suite windows "under Wine: each test program a whole suite, the save through a host link and the killed saves"
if [ "$ORVO_WINE32" = yes ]; then
  ctest_suite windows32 "under 32-bit Wine: each test program a whole suite, the save through a host link and the killed saves"
else
  echo "== windows32 build"
  if cmake --preset windows32 >/dev/null && cmake --build --preset windows32; then
    note windows32 "built, tests NOT RUN: $ORVO_WINE32_WHY" 0 0
  else
    note windows32 "BUILD FAILED" 0 1
  fi
fi

echo "== the players' release zips"
tools/check-release.sh 2>&1 | tee "$logs/release.log"
release_status=${PIPESTATUS[0]}
runs=$(grep -c 'unpacks, runs' "$logs/release.log")
not_made=$(grep -c 'its run NOT MADE' "$logs/release.log")
if ((release_status == 0)); then
  text="$((runs + not_made)) zips checked, $runs of them run under Wine"
  ((not_made > 0)) && text+=", $not_made NOT RUN: $ORVO_WINE32_WHY"
  note release "$text" "$runs" 0
else
  note release "FAILED after $runs zips checked and run" "$runs" 1
fi

ctest_suite sanitize "test cases under AddressSanitizer and UndefinedBehaviorSanitizer"

echo "== short fuzz pass"
tools/fuzz.sh "${FUZZ_SECONDS:-30}" 2>&1 | tee "$logs/fuzz.log"
fuzz_status=${PIPESTATUS[0]}
fuzz_failed=$(grep -c '^!! ' "$logs/fuzz.log")
fuzz_ran=$(grep -c '^== fuzz ' "$logs/fuzz.log")
((fuzz_status != 0 && fuzz_failed == 0)) && fuzz_failed=1
note fuzz "$((fuzz_ran - fuzz_failed)) targets ran ${FUZZ_SECONDS:-30} s without a finding, $fuzz_failed failed" \
  $((fuzz_ran - fuzz_failed)) "$fuzz_failed"

echo "== summary"
printf '%s\n' "${summary[@]}"
echo "total: $total_passed passed, $total_failed failed"
((failed_suites == 0))
