#!/usr/bin/env bash
# In the main window under Wine: Save Tape and Load Tape of LINES (1,000,000)
# lines, and a number corrected on a tape of CORRECTION_LINES (100,000) lines,
# each against the bare list box loops; a typed tape of RESTORE_LINES
# (100,000) lines restored from its journal against Load Tape of the same
# lines; RUNS (2) times.
# Run after a MinGW build (bash scripts/test.sh or scripts/start.sh).
set -euo pipefail
# shellcheck source=bench/wine_env.sh
source "$(dirname "${BASH_SOURCE[0]}")/../wine_env.sh"
cp "$build/bench/tape_window/tape_window_bench.exe" "$build/bench/tape_window/tape_correction_bench.exe" \
  "$build/bench/tape_window/tape_restore_bench.exe" "$work/"
if [ "${LINES:-}" != 0 ]; then
  "$repo/scripts/wine-exec.sh" "$work/tape_window_bench.exe" "${LINES:-1000000}" "${RUNS:-2}"
  cat "$work/tape_window_bench.txt"
fi
"$repo/scripts/wine-exec.sh" "$work/tape_correction_bench.exe" "${CORRECTION_LINES:-100000}" "${RUNS:-2}"
cat "$work/tape_correction_bench.txt"
"$repo/scripts/wine-exec.sh" "$work/tape_restore_bench.exe" "${RESTORE_LINES:-100000}" "${RUNS:-2}"
cat "$work/tape_restore_bench.txt"
