#!/usr/bin/env bash
# The rounding switch and the grand total with real keys: chosen in the
# Options window opened from the menu, then a division typed at 2 decimals,
# Ctrl+G and Edit > Grand Total from the keyboard; the tape against tallix-cli,
# Tallix.ini from disk, a picture of the green GT line.
#   bookkeeping_e2e.sh TALLIX_EXE PROBE_EXE CLI_EXE SCREENSHOT_DIR
set -uo pipefail
tallix_exe="$1"; probe_exe="$2"; cli_exe="$3"; shots="$4"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_exec="$here/../../scripts/wine-exec.sh"

# shellcheck source=tests/e2e/e2e_checks.sh
source "$here/e2e_checks.sh"

options=FORM_TALLIX_FORM2_CLASS
start_tallix bookkeeping "[Main Settings]"$'\r\n'"Decimal Setting1=2"$'\r\n'"Decimal Setting2=2"

# File, ninth item: Options. Down and Grand Total clicked, Enter for Ok.
xdotool key --delay 150 F10 Down Down Down Down Down Down Down Down Down Return
timeout 20 xdotool search --sync --name '^Tallix Options$' >/dev/null || give_up "no Options window"
probe wait
for id in 1008 1012; do
  read -r x y < <(probe rect "$id" "$options")
  click_at "$x" "$y"
done
sleep 0.5
import -window root "$shots/options-bookkeeping.png" 2>/dev/null && echo "screenshot: $shots/options-bookkeeping.png"
xdotool key Return
for _ in $(seq 1 50); do [ "$(probe exists "$options")" = 0 ] && break; sleep 0.1; done
check "Ok keeps the rounding" "Rounding=Down" "$(grep -a '^Rounding=' "$work/Tallix.ini" | tr -d '\r')"
check "Ok keeps the grand total on" "GrandTotal=1" "$(grep -a '^GrandTotal=' "$work/Tallix.ini" | tr -d '\r')"

xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --delay 100 2 KP_Divide 3 Return 1 KP_Divide 3 Return ctrl+g
probe wait
expected="$("$wine_exec" "$cli_exe" keys --decimals 2 --round down --grand-total 2 / 3 = 1 / 3 = GT |
  tr -d '\r' | sed -n '/^display: /q;p')"
check "tape of two divisions and GT" "$expected" "$(probe tape)"
check "memory pane says GT" " M1 GT" "$(probe text 1004)"
import -window root "$shots/grand-total.png" 2>/dev/null && echo "screenshot: $shots/grand-total.png"

# Edit, Grand Total by its letter: the second press in a row clears it.
xdotool key --delay 150 alt+e g
probe wait
check "a second press clears it" "GT Clear" "$(probe tape | tail -n 1)"
check "memory pane without GT" " M1" "$(probe text 1004)"
check "the grand total kept as cleared" "GT=0" "$(grep -a '^GT=' "$work/Tallix.ini" | tr -d '\r')"
close_tallix
