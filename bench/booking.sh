#!/usr/bin/env bash
# The booking note of a company of 100,000 assets on eight asset accounts, per account and per
# asset, composed and as CSV, beside reading the result table; the accounting statement as
# XLSX beside the same as PDF.
set -euo pipefail
n=${BOOKING_BENCH_ASSETS:-100000}
year=${BOOKING_BENCH_YEAR:-2025}
folder="$BENCH_WORK/booking"
rm -rf "$folder"
"$BENCH_BIN/booking_bench" generate "$folder" "$n" "$year" | tail -1
cat "$folder/DBF/"*.dbf >/dev/null
"$BENCH_BIN/booking_bench" run "$folder" "$year" 2>/dev/null
