#!/usr/bin/env bash
# The documents of a calculation for a company of 100,000 assets with ten years of annual
# results: each statement and form OA composed and its first page shown, beside reading the
# result table; one card beside opening one result table; then `kavrina-cli stampa ora` to
# PDF as a whole process, in pages per second, beside the in-process figures above.
set -euo pipefail
n=${DOCUMENTS_BENCH_ASSETS:-100000}
last=${DOCUMENTS_BENCH_YEAR:-2025}
first=$((last - 9))
folder="$BENCH_WORK/documents"
rm -rf "$folder"
"$BENCH_BIN/documents_bench" generate "$folder" "$n" "$first" "$last" | tail -1
cat "$folder/DBF/"*.dbf >/dev/null
"$BENCH_BIN/documents_bench" run "$folder" "$last" 2>/dev/null
cli="$BENCH_BIN/../src/cli/kavrina-cli"
pdf="$BENCH_WORK/ora.pdf"
start=$(date +%s.%N)
out=$("$cli" --dir "$folder" stampa ora --godina "$last" --pdf "$pdf" 2>/dev/null)
end=$(date +%s.%N)
pages=$(echo "$out" | sed -n 's/.*strana: \([0-9]*\)).*/\1/p')
awk -v p="$pages" -v s="$start" -v e="$end" \
  'BEGIN { printf "kavrina-cli stampa ora --pdf: %d pages in %.3f s, %.0f pages/s (whole process)\n", p, e - s, p / (e - s) }'
rm -f "$pdf"
