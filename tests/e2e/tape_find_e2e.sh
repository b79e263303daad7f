#!/usr/bin/env bash
# Copy Tape and Find with real keys, in the dark look: Ctrl+Shift+C and the
# clipboard read from another process, then Ctrl+F, a number typed in the
# find box, Enter and F3 round the tape's end, a text not on the tape, Esc;
# a picture of the box and the marked line.
#   tape_find_e2e.sh TALLIX_EXE PROBE_EXE SCREENSHOT_DIR
set -uo pipefail
tallix_exe="$1"; probe_exe="$2"; shots="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_exec="$here/../../scripts/wine-exec.sh"

# shellcheck source=tests/e2e/e2e_checks.sh
source "$here/e2e_checks.sh"

box=FORM_TALLIX_FINDBOX_CLASS
start_tallix tape-find "[Main Settings]"$'\r\n'"Theme=Dark"
xdotool key --delay 100 1 2 3 4 period 5 KP_Add 7 KP_Add 1 2 3 4 period 5 KP_Add Return
probe wait
tape="$(probe tape)"
lines="$(probe tape 0 0 | head -n 1)"

xdotool key ctrl+shift+c
probe wait
check "the clipboard's text is the tape" "$tape" "$(probe clipboard | sed 's/^ *//')"
check "its CSV has a header and a row a line" "Line,Shown,Number,Symbol,Text $((lines + 1))" \
  "$(probe clipboard csv | head -n 1) $(probe clipboard csv | grep -c .)"
check "Copy Tape writes no line" "$tape" "$(probe tape)"

xdotool key ctrl+f
timeout 20 xdotool search --sync --name '^Find$' >/dev/null || give_up "no find box"
xdotool type --delay 50 1234.50
xdotool key Return
check "Enter finds the number" "Found on line 1 of $lines." "$(probe_until "Found on line 1 of $lines." text 1002 $box)"
xdotool key F3
check "F3 finds the next" "Found on line 3 of $lines." "$(probe_until "Found on line 3 of $lines." text 1002 $box)"
xdotool key F3
wrapped="Passed the end of the tape: found on line 1 of $lines."
check "and goes on from the top" "$wrapped" "$(probe_until "$wrapped" text 1002 $box)"
sleep 0.3
import -window root "$shots/find-dark.png" 2>/dev/null && echo "screenshot: $shots/find-dark.png"

xdotool key ctrl+a
xdotool type --delay 50 rent
xdotool key Return
check "a text not there is said in the box" '"rent" is not on the tape.' \
  "$(probe_until '"rent" is not on the tape.' text 1002 $box)"
check "and in no message box" 0 "$(probe exists '#32770')"
xdotool key Escape
check "Esc closes the box" 0 "$(probe_until 0 exists $box)"
close_tallix
