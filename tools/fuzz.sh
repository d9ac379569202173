#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz") and runs each for SECONDS (default 30), one
# after the other in one process each (usage: tools/fuzz.sh [SECONDS [TARGET...]]), starting from the seed corpus in fuzz/corpus/<target>/.
# New inputs collect in build/fuzz/work/<target>/ (not in the repository); a crash stops the
# script with its input in build/fuzz/crashes/, to be turned into a unit test.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
targets=(key_search conversions ini_load ini_edits)
[ $# -gt 1 ] && targets=("${@:2}")

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]/#/fuzz_}"

mkdir -p build/fuzz/crashes build/fuzz/logs
status=0
for t in "${targets[@]}"; do
  mkdir -p "build/fuzz/work/$t"
  echo "== fuzz $t for ${seconds}s"
  if build/fuzz/bin/fuzz_"$t" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="build/fuzz/crashes/$t-" "build/fuzz/work/$t" "fuzz/corpus/$t" \
      >"build/fuzz/logs/$t.log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "build/fuzz/logs/$t.log" || true
    grep -E '#[0-9]+[[:space:]]+DONE' "build/fuzz/logs/$t.log" | tail -1 || true
  else
    echo "!! $t failed; see build/fuzz/logs/$t.log and build/fuzz/crashes/"
    grep -E 'FUZZ CHECK FAILED|ERROR:|SUMMARY' -A1 "build/fuzz/logs/$t.log" | head -20
    status=1
  fi
done
exit $status
