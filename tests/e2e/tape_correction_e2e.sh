#!/usr/bin/env bash
# A typed number corrected on the tape of the real Tallix.exe under Wine: a
# real double click on its line, the new number typed into the box, the tape
# read back against tallix-cli keys --correct; Undo Correction from the Edit
# menu; a result line refused; the tape exported as CSV against --csv.
#   tape_correction_e2e.sh TALLIX_EXE PROBE_EXE CLI_EXE SCREENSHOT_DIR
set -uo pipefail
tallix_exe="$1"; probe_exe="$2"; cli_exe="$3"; shots="$4"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_exec="$here/../../scripts/wine-exec.sh"

# shellcheck source=tests/e2e/e2e_checks.sh
source "$here/e2e_checks.sh"

tape_of() { cli keys "$@" | sed -n '/^display: /q;p'; }
double_click_line() {  # double_click_line N
  local x y
  read -r x y < <(probe line "$1") || { failed=$((failed + 1)); echo "FAILED: no tape line $1"; return; }
  xdotool mousemove --sync "$x" "$y" click --repeat 2 --delay 60 1
}

# A message box of Tallix's, which has the main window's title: Enter once it shows.
answer_message() {
  for _ in $(seq 1 100); do [ "$(xdotool search --onlyvisible --name '^Tallix$' | wc -l)" -ge 2 ] && break; sleep 0.1; done
  sleep 0.3
  xdotool key Return
  probe wait
}

start_tallix correction
xdotool key --delay 100 1 2 KP_Add 3 0 KP_Add 5 Return
probe wait
check "the tape as typed" "$(tape_of 1 2 + 3 0 + 5 =)" "$(probe tape)"

# "30 +" is the second line: double-clicked, 31 typed over the number shown.
double_click_line 1
timeout 20 xdotool search --sync --name '^Correct Entry$' >/dev/null || give_up "no Correct Entry box"
sleep 0.5
import -window root "$shots/correct-entry.png" 2>/dev/null && echo "screenshot: $shots/correct-entry.png"
xdotool key --delay 80 End shift+Home
xdotool type --delay 60 31
xdotool key Return
probe wait
check "the corrected tape is tallix-cli's" "$(tape_of --correct 2=31 1 2 + 3 0 + 5 =)" "$(probe tape)"
check "the display follows" "48" "$(probe display)"

# Edit, third item: Undo Correction.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --delay 150 F10 Right Down Down Down Return
probe wait
check "undo puts the typed tape back" "$(tape_of 1 2 + 3 0 + 5 =)" "$(probe tape)"

# A result line is not a typed number: the box says so and nothing changes.
double_click_line 4
answer_message
check "a result line stays as it is" "$(tape_of 1 2 + 3 0 + 5 =)" "$(probe tape)"

# File, fourth item: Export Tape..., into the folder of the test.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --delay 150 F10 Down Down Down Down Return
answer_dialog "Export Tape" "$("$wine_exec" winepath -w "$work/tape.csv" 2>/dev/null | tr -d '\r')"
# Wine's file dialog can miss an Enter that follows the typing at once.
sleep 1
xdotool search --name '^Export Tape$' >/dev/null && xdotool key Return
answer_message
check "the exported CSV is tallix-cli's" "$(cli keys --csv 1 2 + 3 0 + 5 =)" "$(tr -d '\r' < "$work/tape.csv")"

close_tallix
