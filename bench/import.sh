#!/usr/bin/env bash
# Import of a register of 100,000 assets from a CSV file (read, checked against the register,
# written under the import lock with the index kept current), beside the table engine alone
# appending the same records in the same rhythm, each into an empty register of its own.
set -euo pipefail
n=${IMPORT_BENCH_ASSETS:-100000}
file="$BENCH_WORK/sredstva.csv"
"$BENCH_BIN/import_bench" csv "$file" "$n"
cat "$file" >/dev/null
rm -rf "$BENCH_WORK/import" "$BENCH_WORK/direct"
ours=$("$BENCH_BIN/import_bench" import "$BENCH_WORK/import" "$file" 2>/dev/null)
theirs=$("$BENCH_BIN/import_bench" direct "$BENCH_WORK/direct" "$n" 2>/dev/null)
o=$(echo "$ours" | sed -n 's/^seconds=//p')
t=$(echo "$theirs" | sed -n 's/^seconds=//p')
echo "import of $n assets from CSV: $o s, peak $(echo "$ours" | sed -n 's/^peak_mb=//p') MB"
echo "table engine appending the same records: $t s, peak $(echo "$theirs" | sed -n 's/^peak_mb=//p') MB"
awk -v o="$o" -v t="$t" 'BEGIN { printf "ratio import / table engine: %.2f x\n", o / t }'
