#!/usr/bin/env bash
# Records every window at 96 DPI, then at 120, 144 and 192 DPI, and compares
# each record with the 96-DPI one; also a move from 96 to 144 DPI against the
# start at 144. The DPI is set in a prefix of the test's own, so that the
# shared one stays at 96 for the tests that run beside this one. Photographs
# of every window at 144 DPI go to the screenshots folder.
# Usage: run_dpi_layouts.sh <dpi_layout_probe.exe> <prefix folder> <screenshots folder>
set -euo pipefail
trap 'echo "run_dpi_layouts.sh: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scripts="$(cd "$here/../../scripts" && pwd)"
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

# Wine reads the screen's DPI from either key, depending on its version.
# A reg.exe that loses its race with a wineserver still going down is tried again.
set_dpi() {
  local key tries
  for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
    for tries in 1 2 3; do
      wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 && break
      [ "$tries" -lt 3 ] || { echo "could not set $key LogPixels to $1" >&2; return 1; }
      wineserver -w
    done
  done
  wineserver -w
}
probe() { "$scripts/wine-exec.sh" "$probe" "$@"; }
win() { winepath -w "$1" 2>/dev/null; }

status=0
check() {
  echo "-- $1"
  shift
  probe compare "$@" || status=1
}

set_dpi 96
probe record "$(win "$work/96.txt")" || status=1
check "96 DPI: every caption fits" "$(win "$work/96.txt")" "$(win "$work/96.txt")"
probe record "$(win "$work/moved-to-144.txt")" --switch-to 144 || status=1
check "moved from 96 to 144 DPI" "$(win "$work/96.txt")" "$(win "$work/moved-to-144.txt")"
# Too high for the screen at 192 DPI, a window made smaller keeps its controls whole after a move too.
probe record "$(win "$work/moved-to-192.txt")" --switch-to 192 || status=1
for dpi in 120 144 192; do
  set_dpi "$dpi"
  if [ "$dpi" = 144 ]; then
    probe record "$(win "$work/$dpi.txt")" "$(win "$shots")" || status=1
  else
    probe record "$(win "$work/$dpi.txt")" || status=1
  fi
  check "started at $dpi DPI" "$(win "$work/96.txt")" "$(win "$work/$dpi.txt")"
done
check "a move to 144 DPI lays out as a start at 144" "$(win "$work/144.txt")" "$(win "$work/moved-to-144.txt")"
check "a move to 192 DPI lays out as a start at 192" "$(win "$work/192.txt")" "$(win "$work/moved-to-192.txt")"
set_dpi 96

for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit $status
