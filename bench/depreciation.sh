#!/usr/bin/env bash
# The depreciation calculation and the asset list on registers of 10,000 and 100,000 assets
# with the previous year's results: kavrina-cli obracun on each, the ratio of the two
# (linear work gives about 10), and the 100,000 run beside the I/O floor of the same run
# (read MDOS.dbf, write two files of the result tables' size); then the asset list with
# present values, 10,000 against 100,000.
set -euo pipefail
year=${DEPRECIATION_BENCH_YEAR:-2025}
cli="$BENCH_BIN/../src/cli/kavrina-cli"
gen="$BENCH_BIN/depreciation_bench"
declare -A calc cpu list
for n in 10000 100000; do
  dir="$BENCH_WORK/dep$n"
  rm -rf "$dir"
  "$gen" generate "$dir" "$n" "$year"
  cat "$dir/DBF/"*.dbf >/dev/null  # warm the page cache so both runs start alike
  /usr/bin/time -f "%e %U %S" -o "$BENCH_WORK/time$n" "$cli" --dir "$dir" obracun --godina "$year" >/dev/null
  read -r wall user sys <"$BENCH_WORK/time$n"
  calc[$n]=$wall
  cpu[$n]=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", u + s }')
  echo "kavrina-cli obracun, $n assets: ${calc[$n]} s (processor ${cpu[$n]} s)"
  listing=$("$gen" list "$dir" "$year")
  echo "$listing" | grep -v '^list_seconds='
  list[$n]=$(echo "$listing" | sed -n 's/^list_seconds=//p')
done
floor=$("$gen" floor "$BENCH_WORK/dep100000" "$year" | sed -n 's/^floor_seconds=//p')
awk -v ca="${cpu[10000]}" -v cb="${cpu[100000]}" -v a="${calc[10000]}" -v b="${calc[100000]}" -v f="$floor" -v la="${list[10000]}" -v lb="${list[100000]}" 'BEGIN {
  printf "obracun 100,000 / 10,000: %.1f x wall, %.1f x processor (linear: about 10)\n", b / a, cb / ca
  printf "obracun 100,000: %.3f s; I/O floor (read MDOS.dbf, write two result-sized files): %.3f s (%.1f x)\n", b, f, (f > 0 ? b / f : 0)
  printf "asset list 10,000: %.3f s, 100,000: %.3f s, ratio %.1f x (linear: about 10)\n", la, lb, lb / la }'
