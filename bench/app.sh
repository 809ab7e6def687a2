#!/usr/bin/env bash
# The main window on a register of 100,000 assets with a year of results (offscreen):
# start until the asset list is shown, sort on an amount column, peak memory; against a
# bare scan of the same table in the same run.
set -euo pipefail
n=${APP_BENCH_ASSETS:-100000}
folder="$BENCH_WORK/app"
QT_QPA_PLATFORM=offscreen "$BENCH_BIN/app_bench" generate "$folder" "$n"
QT_QPA_PLATFORM=offscreen "$BENCH_BIN/app_bench" start "$folder" 2>/dev/null
