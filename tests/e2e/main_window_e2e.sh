#!/usr/bin/env bash
# End to end: the real Tallix.exe as its own process under Wine, in a fresh
# folder, driven by real X key and mouse events; the tape and the display are
# read back from the running window, Tallix.ini from disk.
#   main_window_e2e.sh TALLIX_EXE PROBE_EXE CLI_EXE SCREENSHOT_DIR
set -uo pipefail
tallix_exe="$1"; probe_exe="$2"; cli_exe="$3"; shots="$4"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_exec="$here/../../scripts/wine-exec.sh"

# shellcheck source=tests/e2e/e2e_checks.sh
source "$here/e2e_checks.sh"

work="$(mktemp -d "${TMPDIR:-/tmp}/tallix-e2e.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cp "$tallix_exe" "$work/Tallix.exe"
"$wine_exec" "$work/Tallix.exe" &
tallix_pid=$!

probe wait || { echo "FAILED: Tallix.exe did not open its main window"; exit 1; }
window="$(xdotool search --sync --name '^Tallix$' | head -n 1)"
check "client size with everything shown" "507 293" "$(probe size)"

# One key with the mouse: "7".
read -r x y < <(probe rect 1025)
xdotool mousemove --sync "$x" "$y" click 1
probe wait
check "mouse click on 7 shows 7" "7" "$(probe display)"

# The rest of the calculation typed on the keyboard.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --delay 100 KP_Add 5 Return
probe wait
sleep 0.5
probe wait

expected_tape="$("$wine_exec" "$cli_exe" keys 7 + 5 = | tr -d '\r' | sed -n '/^display: /q;p')"
check "tape after 7 + 5 =" "$expected_tape" "$(probe tape)"
check "display after 7 + 5 =" "12" "$(probe display)"

# A key with no typing key of its own, from the keyboard: F3 is Area.
xdotool key F3
for _ in $(seq 1 30); do [ "$(probe exists FORM_TALLIX_FORM6_CLASS)" = 1 ] && break; sleep 0.1; done
check "F3 opens the Area calculator" "1" "$(probe exists FORM_TALLIX_FORM6_CLASS)"

mkdir -p "$shots"
import -window root "$shots/main-window.png" 2>/dev/null && echo "screenshot: $shots/main-window.png"

# Every setting is on disk from the first start on.
ini="$work/Tallix.ini"
if [ -f "$ini" ]; then
  check "Tallix.ini main section" "[Main Settings]" "$(head -n 1 "$ini" | tr -d '\r')"
  check "Tallix.ini calculation mode" "CalcMode=0" "$(grep -a '^CalcMode=' "$ini" | tr -d '\r')"
else
  failed=$((failed + 1)); echo "FAILED: no Tallix.ini beside the executable"
fi

probe close
for _ in $(seq 1 100); do kill -0 "$tallix_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$tallix_pid" 2>/dev/null; then
  failed=$((failed + 1)); echo "FAILED: Tallix.exe did not exit on close"; kill "$tallix_pid"
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
