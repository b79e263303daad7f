#!/usr/bin/env bash
# The Windows zip as a user gets it: unpacked into a folder whose name has a
# blank and a non-ASCII letter, in a Wine prefix of its own made for the test,
# Tallix.exe started from there, a setting changed and found in the
# Tallix.ini beside it; tallix-cli.exe from the same folder.
#   zip_smoke_e2e.sh ZIP PROBE_EXE VERSION SCREENSHOT_DIR
set -uo pipefail
zip="$1"; probe_exe="$2"; version="$3"; shots="$4"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_exec="$here/../../scripts/wine-exec.sh"

# shellcheck source=tests/e2e/e2e_checks.sh
source "$here/e2e_checks.sh"

scratch="$(mktemp -d "${TMPDIR:-/tmp}/tallix-zip.XXXXXX")"
export WINEPREFIX="$scratch/prefix"
cleanup() {
  wineserver -k 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
"$here/../../scripts/wine-prefix.sh" || { echo "FAILED: no Wine prefix"; exit 1; }

work="$WINEPREFIX/drive_c/Tallix prüfen"
mkdir -p "$work"
unzip -q "$zip" -d "$work" || { echo "FAILED: the zip does not unpack"; exit 1; }
check "the zip's files" "$(printf '%s\n' README.txt Tallix.exe tallix-cli.exe)" "$(ls "$work")"
check "README.txt names the version" "1" "$(grep -c "Tallix $version" "$work/README.txt")"

cli() { "$wine_exec" "$work/tallix-cli.exe" "$@" | tr -d '\r'; }
check "tallix-cli.exe --version" "tallix-cli $version" "$(cli --version)"
check "a keys session" "$(printf '%s\n' '5  ' '3 +' '--------------------------' '8 =' '' 'display: 8')" \
  "$(cli keys 5 + 3 = | sed -n '/^display: /{p;q};p')"

run_tallix
check "the main window is shown" "1" "$(probe exists FORM_TALLIX_FORM1_CLASS)"
mkdir -p "$shots"
import -window root "$shots/zip-smoke.png" 2>/dev/null && echo "screenshot: $shots/zip-smoke.png"
# File > Keep Tape Between Sessions, the fifth item.
xdotool key --delay 150 F10 Down Down Down Down Down Return
probe wait
ini="$work/Tallix.ini"
stop_tallix
check "Tallix.ini beside Tallix.exe holds the setting" "KeepTape=1" "$(grep -a '^KeepTape=' "$ini" 2>/dev/null | tr -d '\r')"
report_checks
