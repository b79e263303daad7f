#!/usr/bin/env bash
# Runs a program of the dark look's tests in a prefix of its own whose Windows
# app mode is dark (AppsUseLightTheme 0), so that the shared prefix stays light
# for the tests that run beside it. The program finds a folder of its own for
# its pictures in TALLIX_SCREENSHOTS; each BMP it leaves there is turned into
# a PNG file of the same name in the screenshots folder.
# Usage: run_in_dark_mode.sh <prefix folder> <screenshots folder> <program.exe> [ARGS...]
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scripts="$(cd "$here/../../scripts" && pwd)"
# shellcheck source=scripts/fail-loudly.sh
source "$scripts/fail-loudly.sh"
# shellcheck source=scripts/wine-reg.sh
source "$scripts/wine-reg.sh"
export WINEPREFIX="$1"
shots="$2"
shift 2
export WINEDEBUG=-all
"$scripts/wine-prefix.sh"
wine_reg_set 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' AppsUseLightTheme REG_DWORD 0

mkdir -p "$shots"
pictures="$(mktemp -d)"
trap 'rm -rf "$pictures"' EXIT
status=0
TALLIX_SCREENSHOTS="$(winepath -w "$pictures" 2>/dev/null)" "$scripts/wine-exec.sh" "$@" || status=1
for bmp in "$pictures"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "$shots/$(basename "$bmp" .bmp).png"
done
exit $status
