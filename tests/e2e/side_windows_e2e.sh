#!/usr/bin/env bash
# The Options, Help and About windows of the real Tallix.exe under Wine,
# opened with real keys (the menu, F1), photographed under SCREENSHOT_DIR and
# closed with the keyboard. Their sizes and contents are checked by the GUI
# tests; these pictures are for the eye.
#   side_windows_e2e.sh TALLIX_EXE PROBE_EXE SCREENSHOT_DIR
set -uo pipefail
tallix_exe="$1"; probe_exe="$2"; shots="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_exec="$here/../../scripts/wine-exec.sh"

# shellcheck source=tests/e2e/e2e_checks.sh
source "$here/e2e_checks.sh"

# Waits for the window titled $1, photographs the screen as $2 and closes the
# window with the key $3.
photograph() {
  local id
  id="$(timeout 20 xdotool search --sync --name "^$1\$" | head -n 1)"
  if [ -z "$id" ]; then
    failed=$((failed + 1)); echo "FAILED: no \"$1\" window"; return
  fi
  sleep 1
  import -window root "$shots/$2" 2>/dev/null && echo "screenshot: $shots/$2"
  xdotool key "$3"
  for _ in $(seq 1 50); do xdotool search --name "^$1\$" >/dev/null || break; sleep 0.1; done
  check "$3 closes $1" "" "$(xdotool search --name "^$1\$")"
}

start_tallix side
ini_before="$(cat "$work/Tallix.ini")"

# F10 and the arrow keys: File, ninth item.
xdotool key --delay 150 F10 Down Down Down Down Down Down Down Down Down Return
photograph "Tallix Options" options.png Escape
check "Esc in Options leaves Tallix.ini alone" "$ini_before" "$(cat "$work/Tallix.ini")"

xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key F1
photograph "Tallix Help" help.png alt+F4

xdotool windowfocus --sync "$window" 2>/dev/null || true
# Help menu (fourth), third item.
xdotool key --delay 150 F10 Right Right Right Down Down Down Return
photograph "About Tallix" about.png Escape

close_tallix
