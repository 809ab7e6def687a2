#!/usr/bin/env bash
# Table file: 1,000,000 asset records written and read back, against an independent reader
# (dbfread) and the I/O floor (cat) in the same run; the cost of one shared append.
set -euo pipefail
n=${DBF_BENCH_RECORDS:-1000000}
file="$BENCH_WORK/MDOS.dbf"
"$BENCH_BIN/dbf_bench" write "$file" "$n"
cat "$file" >/dev/null  # warm the page cache so every reader starts alike
reading=$("$BENCH_BIN/dbf_bench" read "$file")
echo "$reading" | grep -v '^read_seconds='
ours=$(echo "$reading" | sed -n 's/^read_seconds=//p')
floor=$( { TIMEFORMAT=%R; time cat "$file" >/dev/null; } 2>&1 )
theirs=$(/usr/bin/python3 - "$file" <<'PY'
import sys, time
from dbfread import DBF
start = time.perf_counter()
n = 0
for record in DBF(sys.argv[1], load=False, encoding='cp1250'):
    n += 1
print('%.3f' % (time.perf_counter() - start))
PY
)
echo "dbfread: ${theirs} s for the same file"
echo "cat FILE >/dev/null: ${floor} s"
awk -v o="$ours" -v t="$theirs" -v f="$floor" 'BEGIN {
  printf "ratio dbfread / ours: %.1f x (expected >= 50)\n", t / o
  printf "ours / cat: %.1f x the I/O floor\n", (f > 0 ? o / f : 0) }'
cp "$file" "$BENCH_WORK/shared.dbf"
"$BENCH_BIN/dbf_bench" shared "$BENCH_WORK/shared.dbf" 2000
