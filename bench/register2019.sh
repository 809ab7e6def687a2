#!/usr/bin/env bash
# The register of assets acquired from 2019 for a company of 100,000 assets, all under the
# rules from 2019: UCITAJPAMRAM, composing, the first page in the preview and form POA,
# each against reading the two result tables in the same run (the result tables in the
# page cache for all of them).
set -euo pipefail
n=${REGISTER2019_BENCH_ASSETS:-100000}
year=${REGISTER2019_BENCH_YEAR:-2024}
folder="$BENCH_WORK/register2019"
rm -rf "$folder"
"$BENCH_BIN/register2019_bench" generate "$folder" "$n" "$year"
cat "$folder/DBF/"*.dbf >/dev/null
"$BENCH_BIN/register2019_bench" run "$folder" "$year" 2>/dev/null
