#!/usr/bin/env bash
# Start-up of Tallix.exe at 144 DPI against its start-up at 96 DPI, in a
# prefix of the benchmark's own whose DPI is switched between the two
# measurements; the minimal window program is measured beside it at each.
# Run after a MinGW build (bash scripts/test.sh or scripts/start.sh).
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export WINEPREFIX="$repo/build/wineprefix-bench-dpi"
# shellcheck source=bench/wine_env.sh
source "$repo/bench/wine_env.sh"
# shellcheck source=scripts/wine-reg.sh
source "$repo/scripts/wine-reg.sh"
cp "$build/app/Tallix.exe" "$build/bench/startup/minimal_window.exe" "$work/"

set_dpi() {
  wineserver -k >/dev/null 2>&1 || true
  wine_reg_set 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$1"
  wine_reg_set 'HKCC\Software\Fonts' LogPixels REG_DWORD "$1"
  wineserver -w
  wineserver -p 60 >/dev/null 2>&1 </dev/null || true
}
median_of_tallix() { awk '$1 == "Tallix.exe" { print $2; exit }'; }

declare -A median
for dpi in 96 144; do
  set_dpi "$dpi"
  echo "== $dpi DPI"
  "$repo/scripts/wine-exec.sh" "$build/bench/startup/startup_bench.exe" --runs "${RUNS:-15}" \
    "$work/Tallix.exe" "$work/minimal_window.exe" | tee "$work/$dpi.txt"
  median[$dpi]="$(median_of_tallix <"$work/$dpi.txt")"
done
set_dpi 96
awk -v a="${median[144]}" -v b="${median[96]}" \
  'BEGIN { printf "Tallix.exe at 144 DPI against 96 DPI: %.1f ms / %.1f ms = %.2f\n", a, b, a / b }'
