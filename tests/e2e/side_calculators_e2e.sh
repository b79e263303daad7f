#!/usr/bin/env bash
# The converter popup and the area and volume windows of the real Tallix.exe
# under Wine, driven by X mouse clicks and key strokes: the tape is read back
# from the running window and compared with what tallix-cli prints for the same
# input, Tallix.ini from disk. The popup, Area and Volume are photographed
# under SCREENSHOT_DIR.
#   side_calculators_e2e.sh TALLIX_EXE PROBE_EXE CLI_EXE SCREENSHOT_DIR
set -uo pipefail
tallix_exe="$1"; probe_exe="$2"; cli_exe="$3"; shots="$4"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_exec="$here/../../scripts/wine-exec.sh"

# shellcheck source=tests/e2e/e2e_checks.sh
source "$here/e2e_checks.sh"

popup=FORM_TALLIX_FORM7_CLASS
area=FORM_TALLIX_FORM6_CLASS
volume=FORM_TALLIX_FORM5_CLASS
click() {  # click ID [CLASS]: the mouse on the control's centre
  local x y
  read -r x y < <(probe rect "$@") || { failed=$((failed + 1)); echo "FAILED: no control $*"; return; }
  click_at "$x" "$y"
  probe wait
}
wait_for() {  # wait_for CLASS 1|0
  for _ in $(seq 1 100); do [ "$(probe exists "$1")" == "$2" ] && return 0; sleep 0.1; done
  return 1
}
section() {  # section NAME: the keys of the section in Tallix.ini, in file order
  tr -d '\r' < "$work/Tallix.ini" | awk -v name="[$1]" '/^\[/ { on = ($0 == name); next } on && NF'
}
shoot() { import -window root "$shots/$1" 2>/dev/null && echo "screenshot: $shots/$1"; }

start_tallix tools
xdotool key --delay 100 1 2 5 0
probe wait

# Converter: the "Cnv" key with the mouse, the Length category opened by a
# double click and "Feet" clicked, as rows of the tree.
click 1040
wait_for "$popup" 1 || { failed=$((failed + 1)); echo "FAILED: the converter did not open"; }
read -r left top row < <(probe tree 1000 "$popup")
xdotool mousemove --sync $((left + 40)) $((top + 2 * row + row / 2)) click --repeat 2 --delay 80 1
sleep 0.5
shoot converter.png
check "a category item neither writes nor closes" "1" "$(probe exists "$popup")"
xdotool mousemove --sync $((left + 60)) $((top + 4 * row + row / 2)) click 1
wait_for "$popup" 0 || { failed=$((failed + 1)); echo "FAILED: choosing a unit did not close the converter"; }
probe wait
# The tape expected so far, as tallix-cli prints the same steps.
cli convert 1,250 Feet > "$work/expected"
check "Feet from 1,250 on the tape" "$(cat "$work/expected")" "$(probe tape)"

# Opened again and left for another program: closed, nothing written.
click 1040
wait_for "$popup" 1 || { failed=$((failed + 1)); echo "FAILED: the converter did not open again"; }
probe foreign
wait_for "$popup" 0
check "deactivation closes the converter" "0" "$(probe exists "$popup")"
check "deactivation writes nothing" "$(cat "$work/expected")" "$(probe tape)"

# And once more, left for the main window itself by a click on its display.
click 1040
wait_for "$popup" 1 || { failed=$((failed + 1)); echo "FAILED: the converter did not open a third time"; }
click 1011
wait_for "$popup" 0
check "a click on the main window closes the converter" "0" "$(probe exists "$popup")"
check "that click writes nothing" "$(cat "$work/expected")" "$(probe tape)"

# From the keyboard: the arrow keys move through Length's units writing
# nothing, Enter converts the chosen one, Esc leaves unconverted.
click 1040
wait_for "$popup" 1 || { failed=$((failed + 1)); echo "FAILED: the converter did not open a fourth time"; }
xdotool key --delay 150 Home Down Down Right Down Down
probe wait
check "moving with the arrow keys writes nothing" "$(cat "$work/expected")" "$(probe tape)"
check "and leaves the converter open" "1" "$(probe exists "$popup")"
xdotool key Return
wait_for "$popup" 0 || { failed=$((failed + 1)); echo "FAILED: Enter did not close the converter"; }
probe wait
cat "$work/expected" "$work/expected" > "$work/expected-twice"
check "Enter converts the unit chosen" "$(cat "$work/expected-twice")" "$(probe tape)"
click 1040
wait_for "$popup" 1 || { failed=$((failed + 1)); echo "FAILED: the converter did not open a fifth time"; }
xdotool key --delay 150 Home Down Down Right Down Escape
wait_for "$popup" 0
check "Esc closes the converter" "0" "$(probe exists "$popup")"
check "and writes nothing" "$(cat "$work/expected-twice")" "$(probe tape)"
# A click on the unit the keys chose (Feet, the fourth row) converts it too.
click 1040
wait_for "$popup" 1 || { failed=$((failed + 1)); echo "FAILED: the converter did not open a sixth time"; }
xdotool key --delay 150 Home Down Down Right Down Down
read -r left top row < <(probe tree 1000 "$popup")
xdotool mousemove --sync $((left + 60)) $((top + 4 * row + row / 2)) click 1
wait_for "$popup" 0 || { failed=$((failed + 1)); echo "FAILED: a click on the chosen unit did not close the converter"; }
probe wait
cat "$work/expected-twice" "$work/expected" > "$work/expected-thrice"
check "a click on the chosen unit converts it" "$(cat "$work/expected-thrice")" "$(probe tape)"
mv "$work/expected-thrice" "$work/expected"

# Area: metric, 2 Meters by 50 Centimeters into Sq.Centimeters (the first run
# puts every list at position 1, Centimeters after the switch).
xdotool windowfocus --sync "$window" 2>/dev/null || true
click 1035
wait_for "$area" 1 || { failed=$((failed + 1)); echo "FAILED: the area window did not open"; }
check "a first run shows Feet and Sq.Feet" "Feet Feet Sq.Feet" \
  "$(probe text 1020 "$area") $(probe text 1021 "$area") $(probe text 1023 "$area")"
click 1032 "$area"
click 1010 "$area"
xdotool type --delay 80 "2"
click 1020 "$area"
xdotool key --delay 150 Down Return
click 1011 "$area"
xdotool type --delay 80 "50"
click 1033 "$area"
check "area result field" "10,000" "$(probe text 1013 "$area")"
shoot area.png
cli area 2 m 50 cm --to sq.cm | tail -n +2 >> "$work/expected"
check "area lines on the tape" "$(cat "$work/expected")" "$(probe tape)"
check "Area Settings in their order" "$(printf '%s\n' Metric=1 Length=2 Width=50 Result=10,000 L1=2 W1=1 R1=1)" \
  "$(section "Area Settings")"
click 2 "$area"
wait_for "$area" 0 || { failed=$((failed + 1)); echo "FAILED: Close left the area window open"; }

# Volume from the keyboard: fields and lists in tab order, 10 Feet by 10 Feet
# by 4 Inches into Cu.Yards; "abc" typed first in Length turns into 0 when left.
xdotool windowfocus --sync "$window" 2>/dev/null || true
click 1059
wait_for "$volume" 1 || { failed=$((failed + 1)); echo "FAILED: the volume window did not open"; }
xdotool type --delay 80 "abc"
xdotool key Tab
probe wait
check "a field left with abc shows 0" "0" "$(probe text 1010 "$volume")"
xdotool key shift+Tab
xdotool type --delay 80 "10"
xdotool key --delay 150 Tab Tab
xdotool type --delay 80 "10"
xdotool key --delay 150 Tab Tab
xdotool type --delay 80 "4"
xdotool key --delay 150 Tab Up Tab Tab Down
click 1033 "$volume"
check "volume result field" "1.2346" "$(probe text 1013 "$volume")"
shoot volume.png
cli volume 10 ft 10 ft 4 in --to cu.yd | tail -n +2 >> "$work/expected"
check "volume lines on the tape" "$(cat "$work/expected")" "$(probe tape)"
check "Volume Settings in their order" \
  "$(printf '%s\n' Metric=0 Length=10 Width=10 Depth=4 Result=1.2346 L1=1 W1=1 H1=0 R1=2)" "$(section "Volume Settings")"

# The other system keeps each list's position and leaves the numbers alone.
click 1032 "$volume"
check "Metric shows Centimeters, Centimeters, Millimeters, Cu.Meters and the same numbers" \
  "Centimeters Centimeters Millimeters Cu.Meters 10 1.2346" \
  "$(for id in 1020 1021 1022 1023 1010 1013; do probe text $id "$volume"; done | paste -sd ' ')"
check "the switch writes Metric" "Metric=1" "$(section "Volume Settings" | head -n 1)"
click 1034 "$volume"
check "Clear keeps only the system" "Metric=1" "$(section "Volume Settings")"
check "Clear empties the fields" "|" "$(probe text 1010 "$volume")|$(probe text 1013 "$volume")"
check "Area Settings stay" "Result=10,000" "$(section "Area Settings" | grep Result)"
xdotool key alt+F4
wait_for "$volume" 0 || { failed=$((failed + 1)); echo "FAILED: alt+F4 left the volume window open"; }
xdotool windowfocus --sync "$window" 2>/dev/null || true
click 1059
wait_for "$volume" 1 || { failed=$((failed + 1)); echo "FAILED: the volume window did not open again"; }
check "reopened after Clear: a first run in the metric system" "Centimeters Cu.Centimeters " \
  "$(probe text 1020 "$volume") $(probe text 1023 "$volume") $(probe text 1010 "$volume")"

close_tallix
