#!/usr/bin/env bash
# Records every window at 96 DPI, then at 120, 144 and 192 DPI, and compares
# each record with the 96-DPI one; also a move from 96 to 144 DPI against the
# start at 144. The DPI is set in a prefix of the test's own, so that the
# shared one stays at 96 for the tests that run beside this one. Photographs
# of every window at 144 DPI go to the screenshots folder.
# Usage: run_dpi_layouts.sh <dpi_layout_probe.exe> <prefix folder> <screenshots folder>
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scripts="$(cd "$here/../../scripts" && pwd)"
# shellcheck source=scripts/fail-loudly.sh
source "$scripts/fail-loudly.sh"
# shellcheck source=scripts/wine-reg.sh
source "$scripts/wine-reg.sh"
probe="$1"
export WINEPREFIX="$2"
shots="$3/dpi-144"
export WINEDEBUG=-all
"$scripts/wine-prefix.sh"

work="$(mktemp -d)"
[ -n "${TALLIX_DPI_KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
echo "records in $work"
mkdir -p "$shots"
rm -f "$shots"/*.bmp "$shots"/*.png

# Wine reads the screen's DPI from either key, depending on its version. The
# prefix's wineserver is let go down afterwards, so that the next program
# starts one that reads the registry as it now is.
set_dpi() {
  wine_reg_set 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD "$1"
  wine_reg_set 'HKCC\Software\Fonts' LogPixels REG_DWORD "$1"
  wineserver -w
}
probe() { "$scripts/wine-exec.sh" "$probe" "$@"; }
win() { winepath -w "$1" 2>/dev/null; }

status=0
check() {  # check STEP DESIGN_RECORD RECORD
  echo "-- $1"
  probe compare "$(win "$2")" "$(win "$3")" || { echo "FAILED: $1" >&2; status=1; }
}
# record FILE DPI [PROBE OPTIONS]: a record that is not made, or made at
# another DPI than the step meant, fails the step by name.
record() {
  local file="$1" dpi="$2"
  shift 2
  if ! probe record "$(win "$file")" "$@"; then
    echo "FAILED: the windows could not be recorded at $dpi DPI ($(basename "$file"))" >&2
    status=1
  elif [ "$(head -n 1 "$file" | tr -d '\r')" != "dpi $dpi" ]; then
    echo "FAILED: $(basename "$file") was recorded at $(head -n 1 "$file" | tr -d '\r'), not at $dpi DPI" >&2
    status=1
  fi
}

set_dpi 96
record "$work/96.txt" 96
check "96 DPI: every caption fits" "$work/96.txt" "$work/96.txt"
record "$work/moved-to-144.txt" 144 --switch-to 144
check "moved from 96 to 144 DPI" "$work/96.txt" "$work/moved-to-144.txt"
# Too high for the screen at 192 DPI, a window made smaller keeps its controls whole after a move too.
record "$work/moved-to-192.txt" 192 --switch-to 192
for dpi in 120 144 192; do
  set_dpi "$dpi"
  if [ "$dpi" = 144 ]; then
    record "$work/$dpi.txt" "$dpi" "$(win "$shots")"
  else
    record "$work/$dpi.txt" "$dpi"
  fi
  check "started at $dpi DPI" "$work/96.txt" "$work/$dpi.txt"
done
check "a move to 144 DPI lays out as a start at 144" "$work/144.txt" "$work/moved-to-144.txt"
check "a move to 192 DPI lays out as a start at 192" "$work/192.txt" "$work/moved-to-192.txt"
set_dpi 96

for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
[ "$status" = 0 ] || echo "FAILED: dpi_layouts (the steps above say which)" >&2
exit $status
