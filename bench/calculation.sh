#!/usr/bin/env bash
# The calculation against the cost of its files, all as whole processes timed in the same
# run, each figure the median of several runs:
#   kavrina-cli obracun on 100,000 assets beside the I/O floor (cat MDOS.dbf and the two
#   previous results, write two files of the new results' sizes and flush them);
#   the same on 1,000,000 assets: time, peak memory, and the ratio to 100,000;
#   reading every field of 1,000,000 records beside cat of the same file.
set -euo pipefail
runs=${CALCULATION_BENCH_RUNS:-5}
year=${CALCULATION_BENCH_YEAR:-2025}
big=${CALCULATION_BENCH_BIG:-1000000}
cli=${CALCULATION_BENCH_CLI:-$BENCH_BIN/../src/cli/kavrina-cli}  # another build to compare
gen="$BENCH_BIN/depreciation_bench"
work="$BENCH_WORK/calculation"
rm -rf "$work"
mkdir -p "$work"

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
# Wall seconds (to the millisecond) and peak resident KiB of one whole process: "S KIB".
timed() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f "%M" -o "$work/time" "$@" >/dev/null
  end=$(date +%s%N)
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", (b - a) / 1e9 }') $(cat "$work/time")"
}

declare -A calc peak
for n in 100000 "$big"; do
  dir="$work/dep$n"
  "$gen" generate "$dir" "$n" "$year" >/dev/null
  cp -r "$dir" "$dir.template"
  : >"$work/calc$n"
  : >"$work/peak$n"
  : >"$work/floor$n"
  for ((r = 0; r < runs; r++)); do
    rm -rf "$dir" && cp -r "$dir.template" "$dir"
    sync  # the copy's writes are flushed before, not during, the timed runs
    cat "$dir/DBF/"*.dbf >/dev/null  # the same warm page cache for both
    read -r s kib < <(timed "$cli" --dir "$dir" obracun --godina "$year")
    echo "$s" >>"$work/calc$n"
    echo "$kib" >>"$work/peak$n"
    ra="$dir/DBF/A${year}12R.dbf" pa="$dir/DBF/A${year}12P.dbf"
    rasize=$(stat -c %s "$ra") pasize=$(stat -c %s "$pa")
    rm -f "$ra" "$pa"
    read -r s _ < <(timed bash -c "cat '$dir/DBF/MDOS.dbf' '$dir/DBF/A$((year - 1))12R.dbf' \
      '$dir/DBF/A$((year - 1))12P.dbf' >/dev/null && head -c $rasize /dev/zero >'$ra' && \
      head -c $pasize /dev/zero >'$pa' && sync '$ra' '$pa'")
    echo "$s" >>"$work/floor$n"
  done
  calc[$n]=$(median <"$work/calc$n")
  peak[$n]=$(median <"$work/peak$n")
  floor=$(median <"$work/floor$n")
  awk -v n="$n" -v c="${calc[$n]}" -v f="$floor" -v k="${peak[$n]}" 'BEGIN {
    printf "obracun %d assets: %.3f s, peak %.0f MB; I/O floor %.3f s; %.1f x the floor\n",
      n, c, k * 1024 / 1e6, f, (f > 0 ? c / f : 0) }'
  rm -rf "$dir.template"
done
awk -v a="${calc[100000]}" -v b="${calc[$big]}" -v n="$big" 'BEGIN {
  printf "obracun %d / 100,000: %.1f x (linear: 10)\n", n, (a > 0 ? b / a : 0) }'

# Every field of every record of the 1,000,000-record register, beside cat: read shared
# record by record (each record fetched when reached) and as a snapshot scan (as the lists
# and reports read).
table="$work/dep$big/DBF/MDOS.dbf"
: >"$work/read"
: >"$work/scan"
: >"$work/cat"
for ((r = 0; r < runs; r++)); do
  cat "$table" >/dev/null
  read -r s _ < <(timed "$BENCH_BIN/dbf_bench" read "$table")
  echo "$s" >>"$work/read"
  read -r s _ < <(timed "$BENCH_BIN/dbf_bench" scan "$table")
  echo "$s" >>"$work/scan"
  read -r s _ < <(timed cat "$table")
  echo "$s" >>"$work/cat"
done
awk -v r="$(median <"$work/read")" -v s="$(median <"$work/scan")" -v c="$(median <"$work/cat")" \
  -v size="$(stat -c %s "$table")" 'BEGIN {
  printf "every field of %d-byte MDOS.dbf: record by record %.3f s (%.1f x), snapshot scan %.3f s (%.1f x); cat FILE >/dev/null: %.3f s\n",
    size, r, (c > 0 ? r / c : 0), s, (c > 0 ? s / c : 0), c }'
rm -rf "$work"
