#!/usr/bin/env bash
# Measures Tallix.exe's start-up under Wine against the minimal window program
# and the same window made of plain system controls.
# Run after a MinGW build (bash scripts/test.sh or scripts/start.sh).
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$repo/build/mingw}"
source "$repo/bench/wine_env.sh"
work="$(mktemp -d)"
cleanup() {
  wine_bench_cleanup
  rm -rf "$work"
}
trap cleanup EXIT
cp "$build/app/Tallix.exe" "$build/bench/startup/minimal_window.exe" "$build/bench/startup/plain_controls_window.exe" "$work/"
# Start the Wine server once so that neither program pays for it.
wineserver -p 60 >/dev/null 2>&1 </dev/null || true
"$repo/scripts/wine-exec.sh" "$build/bench/startup/startup_bench.exe" --runs "${RUNS:-15}" "$work/Tallix.exe" "$work/minimal_window.exe" "$work/plain_controls_window.exe"
