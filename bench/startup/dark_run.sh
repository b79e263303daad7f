#!/usr/bin/env bash
# Start-up of Tallix.exe in the dark look against its start-up in the light
# one, measured in the same run: two copies of it in folders of their own,
# whose Tallix.ini chooses Theme=Dark and Theme=Light, started in turns. The
# minimal window program is measured beside them.
# Run after a MinGW build (bash scripts/test.sh or scripts/start.sh).
set -euo pipefail
# shellcheck source=bench/wine_env.sh
source "$(dirname "${BASH_SOURCE[0]}")/../wine_env.sh"
for theme in Dark Light; do
  mkdir -p "$work/$theme"
  cp "$build/app/Tallix.exe" "$work/$theme/Tallix$theme.exe"
  printf '[Main Settings]\r\nTheme=%s\r\n' "$theme" >"$work/$theme/Tallix.ini"
done
cp "$build/bench/startup/minimal_window.exe" "$work/"
"$repo/scripts/wine-exec.sh" "$build/bench/startup/startup_bench.exe" --runs "${RUNS:-15}" \
  "$work/Dark/TallixDark.exe" "$work/Light/TallixLight.exe" "$work/minimal_window.exe" | tee "$work/times.txt"
awk '$1 == "TallixDark.exe" { dark = $2 } $1 == "TallixLight.exe" { light = $2 }
  END { printf "Tallix.exe dark against light: %.1f ms / %.1f ms = %.3f\n", dark, light, dark / light }' "$work/times.txt"
