#!/usr/bin/env bash
# Runs every benchmark and writes one markdown table: the INI engine beside inih, SimpleIni,
# iniParser and minIni and beside the memchr floor, and the launcher beside a shell script.
# Usage: tools/bench.sh [RESULT_FILE]   (default build/bench/results.md)
# ORVO_BENCH_CPU=N runs the library benchmarks on processor N alone (taskset): on a virtual
# machine one processor can be much slower than another, which a run that moves between them
# mixes into its figures.
# Figures are CPU time per operation for the library benchmarks (steadier than wall time on
# a shared machine) and wall time for the launcher runs.
set -euo pipefail
cd "$(dirname "$0")/.."
result=${1:-build/bench/results.md}

cmake --preset bench >/dev/null
cmake --build --preset bench --target peers_bench peak_rss orvo-loader
out=build/bench/out
mkdir -p "$out" "$(dirname "$result")"

pin=()
[[ -n ${ORVO_BENCH_CPU:-} ]] && pin=(taskset -c "$ORVO_BENCH_CPU")

echo "== INI libraries"
"${pin[@]}" build/bench/bin/peers_bench --benchmark_format=json --benchmark_out="$out/peers.json" \
  --benchmark_out_format=json >/dev/null
echo "== peak memory of loading and indexing the 8 MiB file"
build/bench/bin/peak_rss write "$out/8MiB.ini"
"${pin[@]}" build/bench/bin/peak_rss "$out/8MiB.ini" > "$out/peak_rss.json"
rm -f "$out/8MiB.ini"
echo "== launcher against a shell script"
tools/bench-launcher.sh build/bench/bin/orvo-loader "$out"

python3 tools/bench_table.py "$out" > "$result"
echo "written: $result"
