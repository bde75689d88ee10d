#!/usr/bin/env bash
# Measures the folder index scan on a 50 MB Entry.lst against `wc -l` on the
# same file in the same run, and prints the ratios (1.0: as fast as wc -l).
#
#   bench/entry_scan.sh [repetitions]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}

cmake --preset bench >/dev/null
cmake --build --preset bench --target entry_scan_bench >/dev/null
bench=build/bench/bin/entry_scan_bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
index="$work/Entry.lst"
"$bench" --write "$index"
lines=$(wc -l <"$index")
bytes=$(stat -c %s "$index")
echo "index: $index, $bytes bytes, $lines lines"

# wc -l: the best of several runs, the file already in the page cache.
best_wc=""
for _ in $(seq 1 "$runs"); do
  start=$(date +%s%N)
  wc -l "$index" >/dev/null
  took=$(( $(date +%s%N) - start ))
  if [ -z "$best_wc" ] || [ "$took" -lt "$best_wc" ]; then best_wc=$took; fi
done

# The benchmarks: the best repetition of each, in nanoseconds.
csv=$("$bench" --index "$index" --benchmark_repetitions="$runs" \
        --benchmark_report_aggregates_only=false --benchmark_format=csv 2>/dev/null)
best_of() {
  echo "$csv" | awk -F, -v name="\"$1\"" '
    $1 == name { t = $3; if ($5 == "ms") t *= 1e6; else if ($5 == "us") t *= 1e3;
                 if (best == "" || t < best) best = t }
    END { printf "%.0f\n", best }'
}
best_scan=$(best_of AnyDueInWithoutDueLine)
best_load=$(best_of LoadWholeIndex)

awk -v wc="$best_wc" -v scan="$best_scan" -v load="$best_load" -v bytes="$bytes" 'BEGIN {
  printf "wc -l                      %8.1f ms  %7.0f MB/s\n", wc / 1e6, bytes / wc * 1e3
  printf "AnyDueIn (no due line)     %8.1f ms  %7.0f MB/s  ratio to wc -l: %.2f\n", scan / 1e6, bytes / scan * 1e3, wc / scan
  printf "Load (every line kept)     %8.1f ms  %7.0f MB/s  ratio to wc -l: %.2f\n", load / 1e6, bytes / load * 1e3, wc / load
}'
