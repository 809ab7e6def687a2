#!/usr/bin/env bash
# The data archive of a program folder of about 1 GB (a company of 1,000,000 assets with
# three years of results): kavrina-cli arhiva beside `zip -r` of the same folder and the
# I/O floor (cat), all in this run; then the index rebuild at the next start, in index files
# per second, beside a bare scan of the same tables.
set -euo pipefail
n=${ARCHIVE_BENCH_ASSETS:-1000000}
years=${ARCHIVE_BENCH_YEARS:-3}
cli="$BENCH_BIN/../src/cli/kavrina-cli"
folder="$BENCH_WORK/arhiva"
"$BENCH_BIN/archive_bench" generate "$folder" "$n" "$years"
find "$folder" -type f -exec cat {} + >/dev/null  # warm the page cache so every run starts alike
floor=$( { TIMEFORMAT=%R; time find "$folder" -type f -exec cat {} + >/dev/null; } 2>&1 )

ours_zip="$BENCH_WORK/kavrina.zip"
/usr/bin/time -f "%e %U %S %M" -o "$BENCH_WORK/time_ours" "$cli" --dir "$folder" arhiva "$ours_zip" >/dev/null
read -r ours ours_user ours_sys ours_kb <"$BENCH_WORK/time_ours"
theirs_zip="$BENCH_WORK/zip-r.zip"
(cd "$folder" && /usr/bin/time -f "%e %U %S %M" -o "$BENCH_WORK/time_zip" zip -q -r "$theirs_zip" .)
read -r theirs theirs_user theirs_sys theirs_kb <"$BENCH_WORK/time_zip"
unzip -tqq "$ours_zip" >/dev/null
bytes=$(du -sb "$folder" | cut -f1)
awk -v b="$bytes" -v o="$ours" -v t="$theirs" -v f="$floor" \
    -v os="$(stat -c %s "$ours_zip")" -v ts="$(stat -c %s "$theirs_zip")" \
    -v ok="$ours_kb" -v tk="$theirs_kb" 'BEGIN {
  printf "folder: %.0f MB\n", b / 1e6
  printf "kavrina-cli arhiva: %.2f s (%.0f MB/s), archive %.1f MB, peak memory %.0f MB\n", o, b / 1e6 / o, os / 1e6, ok / 1024
  printf "zip -r (same folder, same run): %.2f s (%.0f MB/s), archive %.1f MB, peak memory %.0f MB\n", t, b / 1e6 / t, ts / 1e6, tk / 1024
  printf "ours / zip -r: %.2f x the time, %.2f x the size\n", o / t, os / ts
  printf "cat of every file (I/O floor): %.2f s\n", f }'
rm -f "$ours_zip" "$theirs_zip"
"$BENCH_BIN/archive_bench" rebuild "$folder"
