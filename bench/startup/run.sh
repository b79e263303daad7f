#!/usr/bin/env bash
# Measures Tallix.exe's start-up under Wine against the minimal window program
# and the same window made of plain system controls.
# Run after a MinGW build (bash scripts/test.sh or scripts/start.sh).
set -euo pipefail
# shellcheck source=bench/wine_env.sh
source "$(dirname "${BASH_SOURCE[0]}")/../wine_env.sh"
cp "$build/app/Tallix.exe" "$build/bench/startup/minimal_window.exe" "$build/bench/startup/plain_controls_window.exe" "$work/"
"$repo/scripts/wine-exec.sh" "$build/bench/startup/startup_bench.exe" --runs "${RUNS:-15}" "$work/Tallix.exe" "$work/minimal_window.exe" "$work/plain_controls_window.exe"
