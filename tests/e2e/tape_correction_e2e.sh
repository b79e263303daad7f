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

# $1 typed over the number the Correct Entry box shows; a screenshot to $2 first.
answer_correct_entry() {
  timeout 20 xdotool search --sync --name '^Correct Entry$' >/dev/null || give_up "no Correct Entry box"
  sleep 0.5
  [ -n "${2:-}" ] && import -window root "$2" 2>/dev/null && echo "screenshot: $2"
  xdotool key --delay 80 End shift+Home
  xdotool type --delay 60 "$1"
  xdotool key Return
  probe wait
}
# Tape line $1 double-clicked, corrected to $2.
correct_line() {
  double_click_line "$1"
  answer_correct_entry "$2" "${3:-}"
}

# A message box of Tallix's, which has the main window's title: Enter once it shows.
answer_message() {
  for _ in $(seq 1 100); do [ "$(xdotool search --onlyvisible --name '^Tallix$' | wc -l)" -ge 2 ] && break; sleep 0.1; done
  sleep 0.3
  xdotool key Return
  probe wait
}

# A folder beyond ASCII: Tallix names it in the dialogs and messages as it is.
start_tallix correction-é
xdotool key --delay 100 1 2 KP_Add 3 0 KP_Add 5 Return
probe wait
typed="$(tape_of 1 2 + 3 0 + 5 =)"
check "the tape as typed" "$typed" "$(probe_until "$typed" tape)"

# "30 +" is the second line.
correct_line 1 31 "$shots/correct-entry.png"
corrected="$(tape_of --correct 2=31 1 2 + 3 0 + 5 =)"
check "the corrected tape is tallix-cli's" "$corrected" "$(probe_until "$corrected" tape)"
check "the display follows" "48" "$(probe display)"

# Edit, fourth item: Undo Correction.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --delay 150 F10 Right Down Down Down Down Return
probe wait
check "undo puts the typed tape back" "$typed" "$(probe_until "$typed" tape)"

# A result line is not a typed number: the box says so and nothing changes.
double_click_line 4
answer_message
check "a result line stays as it is" "$typed" "$(probe tape)"

# File, fourth item: Export Tape..., into the folder of the test.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --delay 150 F10 Down Down Down Down Return
# The name it proposes, beside Tallix.ini, taken as it is.
answer_dialog "Export Tape" ""
check "the export names its file" "The tape was exported as: $(winpath "$work/TallixTape.csv")" "$(message_box_text)"
dismiss_message_box
check "the exported CSV is tallix-cli's" "$(cli keys --csv 1 2 + 3 0 + 5 =)" "$(tr -d '\r' < "$work/TallixTape.csv")"

# A longer tape, typed into a fresh window: a number of the first total
# corrected. The window replays only until the calculator stands as it stood
# (after the next total); tallix-cli replays the whole of it.
probe close
for _ in $(seq 1 100); do kill -0 "$tallix_pid" 2>/dev/null || break; sleep 0.1; done
first_work="$work"
start_tallix correction-long
rm -rf "$first_work"
long_keys=() long_typed=()
for _ in $(seq 1 60); do long_keys+=(1 2 KP_Add); long_typed+=(1 2 +); done
long_keys+=(Return); long_typed+=(=)
for _ in $(seq 1 30); do long_keys+=(3 KP_Add); long_typed+=(3 +); done
long_keys+=(Return); long_typed+=(=)
for _ in $(seq 1 80); do long_keys+=(4 KP_Add); long_typed+=(4 +); done
long_keys+=(Return); long_typed+=(=)
xdotool key --delay 10 "${long_keys[@]}"
# The window may still be taking the last of 500 keys from the X server when
# it first answers: the tape is read again until it is whole (10 s at most).
long_tape="$(tape_of "${long_typed[@]}")"
check "the long tape as typed" "$long_tape" "$(probe_until "$long_tape" tape)"
# The wheel over the tape, up to its top.
read -r x y < <(probe line "$(($(probe tape | wc -l) - 1))")
xdotool mousemove --sync "$x" "$y" click --repeat 80 --delay 10 4
sleep 0.3
correct_line 1 13
corrected="$(tape_of --correct 2=13 "${long_typed[@]}")"
check "the corrected long tape is tallix-cli's" "$corrected" "$(probe_until "$corrected" tape)"
check "the display is the last total still" "320" "$(probe display)"

# Edit, third item, from the keyboard: Correct Last Entry... (the 170th number).
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --delay 150 F10 Right Down Down Down Return
answer_correct_entry 5
corrected="$(tape_of --correct 2=13 --correct 170=5 "${long_typed[@]}")"
check "the last entry corrected is tallix-cli's" "$corrected" "$(probe_until "$corrected" tape)"
check "the display shows the new total" "321" "$(probe display)"

# Keys typed since stay when the correction is undone; its note goes.
xdotool key --delay 100 7 KP_Add
probe wait
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --delay 150 F10 Right Down Down Down Down Return
probe wait
kept="$(tape_of --correct 2=13 "${long_typed[@]}")"$'\n'"$(tape_of 7 +)"
check "undo keeps the keys typed since" "$kept" "$(probe_until "$kept" tape)"

close_tallix
