#!/usr/bin/env bash
# Index: a val(InvBr) index built over 1,000,000 assets beside GNU sort sorting the same keys
# as text lines (same run; aim: at most 1.5 times sort), random seeks, and appends with the
# index kept current, exclusive and shared.
set -euo pipefail
n=${NTX_BENCH_RECORDS:-1000000}
w="$BENCH_WORK/ntx"
mkdir -p "$w"
b="$BENCH_BIN/ntx_bench"
# The table of the table benchmark (inventory numbers in record order) when it is there, and
# a table of its own with the numbers shuffled.
tables="$w/shuffled.dbf"
"$b" gen "$w/shuffled.dbf" "$n"
if [ -f "$BENCH_WORK/MDOS.dbf" ]; then tables="$BENCH_WORK/MDOS.dbf $tables"; fi
for table in $tables; do
  echo "-- $(basename "$table")"
  "$b" keys "$table" "$w/keys.txt"
  cat "$table" "$w/keys.txt" >/dev/null  # warm the page cache for both
  out=$("$b" build "$table" "$w/index.ntx")
  echo "$out" | grep -v '^build_seconds='
  ours=$(echo "$out" | sed -n 's/^build_seconds=//p')
  theirs=$( { TIMEFORMAT=%R; time LC_ALL=C sort "$w/keys.txt" >/dev/null; } 2>&1 )
  echo "LC_ALL=C sort of the same $(wc -l <"$w/keys.txt") keys: ${theirs} s"
  awk -v o="$ours" -v t="$theirs" 'BEGIN { printf "ratio build / sort: %.2f (aim <= 1.5)\n", o / t }'
done
last=${tables##* }
"$b" seek "$last" "$w/index.ntx" 1000000
for mode in none exclusive shared; do
  cp "$last" "$w/append.dbf"
  cp "$w/index.ntx" "$w/append.ntx"
  "$b" append "$w/append.dbf" "$w/append.ntx" 100000 "$mode"
done
rm -rf "$w"
