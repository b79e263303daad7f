#!/usr/bin/env bash
# End to end: the transfer test window of the real Tallix.exe under Wine,
# opened with the transfer key and driven with real clicks and keys through
# the real folder browser and options window. Small runs in a temporary
# folder are read back from the window; as root, a full and a read-only small
# file system (tmpfs, mapped as Wine drives) fail as they should; the report
# is printed to a cups-pdf printer and read back.
#   transfer_e2e.sh TALLIX_EXE PROBE_EXE SCREENSHOT_DIR
set -uo pipefail
tallix_exe="$1"; probe_exe="$2"; shots="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_exec="$here/../../scripts/wine-exec.sh"
prefix="${WINEPREFIX:-$here/../../build/wineprefix}"
caption='File Transfer / Network Performance Calculator'
transfer=FORM_TALLIX_FTS1_CLASS

source "$here/e2e_checks.sh"
source "$here/pdf_printer.sh"
# shellcheck source=tests/e2e/small_file_systems.sh
source "$here/small_file_systems.sh"
pdf_printer_ready || give_up "no PDF printer"

work="$(mktemp -d "${TMPDIR:-/tmp}/tallix-transfer.XXXXXX")"
tallix_pid=""; drives=()
cleanup() {
  [ -n "$tallix_pid" ] && kill "$tallix_pid" 2>/dev/null
  for drive in "${drives[@]}"; do rm -f "$drive"; done
  release_small_file_systems
  rm -rf "$work"
  if [ -n "${TALLIX_SLOT_TAKEN:-}" ]; then
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null
    WINEPREFIX="$prefix" wineserver -w 2>/dev/null
    source "$here/../../scripts/wine-server.sh"
    tallix_keep_wine_up "$prefix" "$DISPLAY"
  fi
}
trap cleanup EXIT

# A tmpfs of 4 MiB as Wine drive $1:, mounted with options $2 (root only).
small_drive() {
  local folder="$work/drive-$1"
  small_file_system "$folder" 4m "$2" || return 1
  ln -sfn "$folder" "$prefix/dosdevices/$1:" && drives+=("$prefix/dosdevices/$1:")
}

field() { probe transfer | sed -n "s/^$1: //p"; }
click() { local xy; xy="$(probe "$@")" && xdotool mousemove $xy click 1; }
focus_window() {
  local id=""
  # A window closing while xdotool walks the tree makes it fail with
  # BadWindow (seen on a loaded machine): the search is simply made again.
  for _ in 1 2 3 4 5; do
    id="$(timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)"
    [ -n "$id" ] && break
    sleep 0.5
  done
  [ -n "$id" ] && xdotool windowfocus --sync "$id" 2>/dev/null
}
# Start Test, then the folder browser set to Windows path $1 and confirmed
# (Escape when $1 is empty), then $2 typed into the options window and the key $3.
start_test() {
  local browser=""
  # A click that only activates the window is not taken as one: clicked again.
  for _ in 1 2 3; do
    focus_window "$caption"
    click rect 1000 "$transfer"
    browser="$(timeout 10 xdotool search --sync --onlyvisible --name '^Browse for Folder$' 2>/dev/null | head -n 1)"
    [ -n "$browser" ] && break
  done
  [ -n "$browser" ] && xdotool windowfocus --sync "$browser" || { failed=$((failed + 1)); echo "FAILED: no folder browser"; return; }
  if [ -z "$1" ]; then xdotool key Escape; return; fi
  # The browser sets its first selection once it has filled its tree; ours goes after.
  sleep 1
  probe browse "$1" || echo "note: the browser did not take $1"
  sleep 0.5
  xdotool key Return
  focus_window "File Transfer Calculator Options" || { failed=$((failed + 1)); echo "FAILED: no options window"; return; }
  [ -n "$2" ] && xdotool type --delay 20 "$2"
  if [ "$3" == "photo" ]; then
    import -window root "$shots/transfer-options.png" && echo "screenshot: $shots/transfer-options.png"
    xdotool key Return
  else
    # shellcheck disable=SC2086 # several keys
    xdotool key --delay 100 $3
  fi
}
wait_idle() {
  for _ in $(seq 1 300); do
    [ "$(field 'start, print, exit enabled')" == "111" ] || [ "$(field 'start, print, exit enabled')" == "101" ] && return
    sleep 0.2
  done
}
# A message box shares the main window's caption: answered with Return.
answer_message_box() {
  for _ in $(seq 1 100); do [ "$(xdotool search --name '^Tallix$' | wc -l)" -ge 2 ] && break; sleep 0.1; done
  check "$1" "2" "$(xdotool search --name '^Tallix$' | wc -l)"
  xdotool key Return
  sleep 0.3
}
# A column as shown: byte count, seconds, then three rates with bits = 8 x bytes.
check_column() {
  local name="$1" bytes="$2" column="$3"
  IFS='|' read -r packet seconds rate bits mbps <<<"$column"
  check "$name: packet length" "$bytes" "$packet"
  [[ "$seconds" =~ ^[0-9]+\.[0-9]{7}$ && "$rate" =~ ^[0-9,]+$ && "$mbps" =~ ^[0-9,]+\.[0-9]{7}$ ]]
  check "$name: time and rates are numbers ($column)" "0" "$?"
  check "$name: bits per second are 8 x bytes per second" "$((8 * ${rate//,/}))" "${bits//,/}"
}

# The drives must be there before the Wine server starts, or its shell does
# not list them: a server still running from before is stopped (the test
# command keeps one up; it is started again at the end, without the drives).
small_drives=""
if [ "$(id -u)" -eq 0 ]; then
  # As root they must be there: a run that quietly left them out would pass untested.
  if small_drive s "" && small_drive r ro; then
    small_drives=yes
  else
    failed=$((failed + 1))
    echo "FAILED: no tmpfs drives"
  fi
fi
WINEPREFIX="$prefix" wineserver -k 2>/dev/null
WINEPREFIX="$prefix" wineserver -w 2>/dev/null
mkdir -p "$shots" "$work/target"
target="$(winpath "$work/target")"
cp "$tallix_exe" "$work/Tallix.exe"
(cd "$work" && exec "$wine_exec" "$work/Tallix.exe") &
tallix_pid=$!
probe wait || give_up "Tallix.exe did not open its main window"
focus_window Tallix
click rect 1061
focus_window "$caption" || give_up "the transfer key opened no transfer test window"
check "fresh window: only Print Results disabled" "101" "$(field 'start, print, exit enabled')"
[[ "$(field address)" =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]]; check "an IPv4 address ($(field address))" "0" "$?"

# ---- 2.5 MiB runs a 2 MiB test, then the file is gone ----
start_test "$target" "2.5" photo
wait_idle
check "folder shown" "$target" "$(field folder)"
check "status" "Finished" "$(field status)"
check_column "writing" "2,097,152" "$(field writing)"
check_column "reading" "2,097,152" "$(field reading)"
check "the read figures are labelled as the cache's" "Reading: file cache speed (Wine cannot bypass the cache)" "$(field note)"
check "buttons enabled after the run" "111" "$(field 'start, print, exit enabled')"
check "test file deleted" "" "$(ls "$work/target")"
import -window root "$shots/transfer.png" && echo "screenshot: $shots/transfer.png"

# ---- cancelling the browser or the options leaves everything as it was ----
before="$(probe transfer)"
start_test "" "" ""
check "browser cancelled: nothing changed" "$before" "$(probe transfer)"
start_test "$target" "" Escape
check "options cancelled: nothing changed" "$before" "$(probe transfer)"

# ---- a kept file: 1 MiB, "Delete this file when finished" cleared ----
start_test "$target" "1" "Tab space Return"
wait_idle
check "kept test file" "1048576" "$(stat -c %s "$work/target/NW_SpeedTest.dat" 2>/dev/null)"
check "status after a kept run" "Finished" "$(field status)"

if [ -n "$small_drives" ]; then
  # ---- more than a small disk holds: refused in the options window ----
  before="$(probe transfer)"
  start_test 'S:\' "8" Return
  answer_message_box "too large a size is refused with a message"
  focus_window "File Transfer Calculator Options" && xdotool key Escape
  check "refused size ran nothing" "$before" "$(probe transfer)"
  # ---- a read-only file system: a clear failure, no rate, no file ----
  start_test 'R:\' "1" Return
  answer_message_box "the failure is told"
  wait_idle
  check "write failure in the status" "Writing failed on opening the test file:" "$(field status | cut -c 1-40)"
  check "failed writing column" "1,048,576|failed|||" "$(field writing)"
  check "no reading figures" "||||" "$(field reading)"
  check "no test file on the read-only drive" "" "$(ls "$work/drive-r")"
  start_test "$target" "1" Return  # the report below is of a good run
  wait_idle
else
  echo "note: not root: the small file systems are left out"
fi

# ---- Print Results onto the PDF printer ----
marker="$work/before-print"; touch "$marker"
focus_window "$caption"
click rect 1001 "$transfer"
focus_window "Print" && xdotool key Return
pdf="$(wait_for_pdf "$marker" '*Transfer_Results*.pdf')"
if [ -n "$pdf" ]; then
  text="$(pdftotext -layout "$pdf" - | sed 's/\xc2\xad/-/g' | tr -s ' ')"
  writing="$(field writing)"; reading="$(field reading)"
  check "report title" "1" "$(grep -c '^ *File Transfer / Network Performance Results$' <<<"$text")"
  check "report computer" "1" "$(grep -cF "Computer Name: $(field computer)" <<<"$text")"
  check "report packet lengths" "1" "$(grep -cF "Packet length : ${writing%%|*} ${reading%%|*}" <<<"$text")"
  check "report read caveat" "1" "$(grep -cF 'Reading: file cache speed (Wine cannot bypass the cache)' <<<"$text")"
  pdftoppm -r 60 -png -f 1 -l 1 -singlefile "$pdf" "$shots/transfer-report" && echo "screenshot: $shots/transfer-report.png"
else
  failed=$((failed + 1)); echo "FAILED: no PDF of the report in $pdf_out"
fi

# ---- a link under the test file's name: refused, what it points to untouched ----
rm -f "$work/target/NW_SpeedTest.dat"
printf 'keep me' > "$work/victim"
ln -s "$work/victim" "$work/target/NW_SpeedTest.dat"
start_test "$target" "1" Return
answer_message_box "the link is refused with a message"
wait_idle
check "link refused in the status" "$target\\NW_SpeedTest.dat is a link; the test leaves it alone" "$(field status)"
check "what the link points to is untouched" "keep me" "$(cat "$work/victim")"
check "the link is still there" "yes" "$([ -L "$work/target/NW_SpeedTest.dat" ] && echo yes)"
rm -f "$work/target/NW_SpeedTest.dat"

# ---- Esc is Exit ----
# A key sent while a loaded machine still moves the focus can be lost: sent
# again while the window stands.
for _ in 1 2 3; do
  focus_window "$caption" && xdotool key Escape
  for _ in $(seq 1 100); do xdotool search --name "^$caption\$" >/dev/null || break; sleep 0.1; done
  xdotool search --name "^$caption\$" >/dev/null || break
done
check "Esc closes the transfer test window" "" "$(xdotool search --name "^$caption\$")"

# ---- Alt+F4 during a long run: the run stops, its file goes, the window closes ----
focus_window Tallix
click rect 1061
focus_window "$caption" || give_up "the transfer key did not open the window again"
# The file is to be kept: only the stop removes it.
start_test "$target" "4000" "Tab space Return"
for _ in $(seq 1 100); do [[ "$(field status)" == Writing* ]] && break; sleep 0.1; done
check "closed while writing" "Writing" "$(field status | cut -c 1-7)"
focus_window "$caption" && xdotool key alt+F4
for _ in $(seq 1 150); do xdotool search --name "^$caption\$" >/dev/null || break; sleep 0.2; done
check "closed during a run" "" "$(xdotool search --name "^$caption\$")"
check "the stopped run left no test file" "" "$(ls "$work/target")"

close_tallix
