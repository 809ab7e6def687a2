#!/usr/bin/env bash
# The printed asset list of 100,000 assets (2,000 pages): compose, first page in the
# preview, PDF; compared with building the list's rows in the same run, and the PDF read
# back by pdfinfo.
set -euo pipefail
n=${REPORTS_BENCH_ASSETS:-100000}
pdf="$BENCH_WORK/SpisakOsnovnihSredstava.pdf"
"$BENCH_BIN/reports_bench" "$n" "$pdf"
start=$(date +%s.%N)
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
end=$(date +%s.%N)
echo "pdfinfo: $pages pages ($(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }') s to read)"
