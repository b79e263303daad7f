#!/usr/bin/env bash
# A long tape loaded through Load Tape's dialog in the real Tallix.exe under
# Wine while real keys are typed: the keys must not land inside the loaded
# lines, and the keypad works again once the tape is whole.
#   tape_load_e2e.sh TALLIX_EXE PROBE_EXE SCREENSHOT_DIR
set -uo pipefail
tallix_exe="$1"; probe_exe="$2"; shots="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_exec="$here/../../scripts/wine-exec.sh"

# shellcheck source=tests/e2e/e2e_checks.sh
source "$here/e2e_checks.sh"
progress_shown() { [ "$(probe exists FORM_TALLIX_PROGRESS_CLASS)" = "1" ]; }

start_tallix load
xdotool key --delay 100 7 KP_Add
probe wait

# A saved tape of 1,000,000 lines "1 +" ... "1000000 +": seconds of loading
# under Wine, long enough to type into.
lines=1000000
python3 - "$work/long.txt" "$lines" <<'PY'
import sys
path, count = sys.argv[1], int(sys.argv[2])
rows = [' ' * 30 + 'Tape Report (12-07-2026 at 10:00:00)', '', '']
rows += [('%d +' % i).rjust(30) for i in range(1, count + 1)]
rows += ['', '** 1,234', '*** 1234']
open(path, 'w', newline='').write('\r\n'.join(rows) + '\r\n')
PY

# File, second item: Load Tape.
xdotool key --delay 150 F10 Down Down Return
answer_dialog "Open Tape File" "$(winpath "$work/long.txt")"
# From the dialog's end on, Tallix is loading: keys typed now, before and
# while the progress window shows, come to it only through the load's own
# message handling. Keys that came after the load would show on the tape.
sleep 0.3
xdotool key --delay 80 5 Return 9
import -window root "$shots/tape-loading.png" 2>/dev/null && echo "screenshot: $shots/tape-loading.png"
for _ in $(seq 1 300); do progress_shown || break; sleep 0.2; done
probe wait

# The tape read whole across processes would take minutes: its length and
# its two ends tell whether a key landed among the loaded lines or after them.
check "the typed line, the loaded lines and the empty line after them, nothing more" \
  "$(printf '%d\n7  \n1 +\n2 +\n' $((lines + 2)))" "$(probe tape 0 3)"
check "the tape ends with the loaded lines" \
  "$(printf '%d\n%d +\n%d +\n\n' $((lines + 2)) $((lines - 1)) "$lines")" "$(probe tape -3 3)"
check "the display the tape was saved with" "1,234" "$(probe display)"

# The keypad takes keys again.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --delay 100 2 KP_Add
probe wait
last="$(probe tape -1 1 | tail -n 1)"
check "a key after the load reaches the tape" "2" "${last%% *}"

# Closed within the usual ten seconds: the long tape does not hold it up.
close_tallix
