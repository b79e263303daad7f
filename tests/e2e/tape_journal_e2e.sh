#!/usr/bin/env bash
# The tape kept by its journal, with the real Tallix.exe under Wine: a session
# typed with real keys and a note from the Edit menu, the process killed (SIGKILL) and started again in the
# same folder: the same tape, display and panes, and a restored number
# corrected by a double click. Then "Keep Tape Between Sessions" from the File
# menu: on, a normal exit keeps the tape; off, it leaves no journal. As root,
# on small file systems of its own: a folder that cannot be written is said
# once at start-up, and Tallix works on; a disk filled while typing is said
# once, and once it has room the journal catches up, so a kill loses nothing.
#   tape_journal_e2e.sh TALLIX_EXE PROBE_EXE CLI_EXE SCREENSHOT_DIR
set -uo pipefail
tallix_exe="$1"; probe_exe="$2"; cli_exe="$3"; shots="$4"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_exec="$here/../../scripts/wine-exec.sh"

# shellcheck source=tests/e2e/e2e_checks.sh
source "$here/e2e_checks.sh"
# shellcheck source=tests/e2e/small_file_systems.sh
source "$here/small_file_systems.sh"

tape_of() { cli keys "$@" | sed -n '/^display: /q;p'; }
panes() { for id in 1004 1003 1002; do probe text "$id"; done; }
journals_in() { find "$1" -maxdepth 1 -name 'Tallix.tape.*.journal' | wc -l; }
journals() { journals_in "$work"; }
restart_tallix() {
  run_tallix
  probe wait
}
# File menu, fifth item.
toggle_keep_tape() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --delay 150 F10 Down Down Down Down Down Return
  probe wait
}
stop_normally() {
  probe close
  for _ in $(seq 1 100); do kill -0 "$tallix_pid" 2>/dev/null || break; sleep 0.1; done
}

start_tallix journal
xdotool key --delay 100 1 2 KP_Add 3 0 KP_Add 5 Return 7 KP_Add
probe wait
# Edit > Add Note..., the fifth item: the note goes into the journal too.
xdotool key --delay 150 F10 Right Down Down Down Down Down Return
answer_dialog "Add Note" "Lunch"
probe wait
typed="$(tape_of 1 2 + 3 0 + 5 = 7 + '#Lunch')"
check "the tape as typed" "$typed" "$(probe tape)"
display="$(probe display)"
shown_panes="$(panes)"
check "a journal beside Tallix.ini while it runs" "1" "$(journals)"
check "a folder that can be written: nothing said at start-up" "0" "$(probe exists '#32770')"

# What was typed is on the disk within two seconds.
sleep 2.5
# Killed as a crash or a power cut would end it: no chance to clean up.
pkill -KILL -f "$work/Tallix.exe"
wait "$tallix_pid" 2>/dev/null
sleep 0.5
restart_tallix
check "the killed window's tape comes back" "$typed" "$(probe tape)"
check "and its display" "$display" "$(probe display)"
check "and its panes" "$shown_panes" "$(panes)"
import -window root "$shots/tape-restored.png" 2>/dev/null && echo "screenshot: $shots/tape-restored.png"

# "30 +" is the second line: a restored number is corrected as any other.
read -r x y < <(probe line 1)
xdotool mousemove --sync "$x" "$y" click --repeat 2 --delay 60 1
timeout 20 xdotool search --sync --name '^Correct Entry$' >/dev/null || give_up "no Correct Entry box"
sleep 0.5
xdotool key --delay 80 End shift+Home
xdotool type --delay 60 31
xdotool key Return
probe wait
check "a restored number corrected" "$(tape_of --correct 2=31 1 2 + 3 0 + 5 = 7 + '#Lunch')" "$(probe tape)"
corrected="$(probe tape)"

toggle_keep_tape
check "the choice is stored" "KeepTape=1" "$(grep -a '^KeepTape=' "$work/Tallix.ini" | tr -d '\r')"
stop_normally
restart_tallix
check "kept across a normal exit" "$corrected" "$(probe tape)"

# Links planted under journals' names, to a file outside the folder and to a
# valid journal there: Wine shows them as the files they lead to, yet they
# are never read, renamed or written.
outside="$(mktemp -d "${TMPDIR:-/tmp}/tallix-outside.XXXXXX")"
trap 'release_small_file_systems; rm -rf "$work" "$outside"' EXIT
cp "$(find "$work" -maxdepth 1 -name 'Tallix.tape.*.journal' | head -n 1)" "$outside/kept.journal"
printf 'root:x:0:0:root:/root:/bin/bash\n' >"$outside/passwd"
ln -s "$outside/passwd" "$work/Tallix.tape.1.0.journal"
ln -s "$outside/kept.journal" "$work/Tallix.tape.2.0.journal"
outside_before="$(cd "$outside" && ls -l --time-style=+ . && sha256sum ./*)"

toggle_keep_tape
stop_normally
check "off: a normal exit leaves no journal but the links" "2" "$(journals)"
restart_tallix
check "and the next start is empty" "" "$(probe tape)"
xdotool key --delay 100 9 KP_Add 1 Return
probe wait
sleep 2.5
stop_normally
check "the links' targets keep their bytes, names and place" "$outside_before" \
  "$(cd "$outside" && ls -l --time-style=+ . && sha256sum ./*)"
check "the links stay links, nothing set aside" "2 0" \
  "$(find "$work" -maxdepth 1 -type l -name 'Tallix.tape.*' | wc -l) $(find "$work" -maxdepth 1 -name '*.unreadable' | wc -l)"

if [ "$(id -u)" -ne 0 ]; then
  echo "note: not root: the read-only and the full file system are left out"
  run_tallix
  close_tallix
  exit
fi

# ---- a folder where nothing can be written: said once, and Tallix works ----
read_only="$work/read-only"
small_file_system "$read_only" 8m || give_up "no tmpfs for a read-only folder"
cp "$tallix_exe" "$work/Tallix.ini" "$read_only/"
mount -o remount,ro "$read_only"
run_tallix "$read_only"
check "a read-only folder is said at start-up" \
  "Tallix cannot write in $(winpath "$read_only"): the tape is not protected against a crash, and settings will not be kept." \
  "$(message_box_text)"
dismiss_message_box
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --delay 100 9 KP_Add 1 Return
probe wait
# A second message would take the keys first.
check "said once, and keys reach the tape" "$(tape_of 9 + 1 =)" "$(probe tape)"
check "no other message" "0" "$(probe exists '#32770')"
stop_tallix

# ---- a disk filled while typing: said once, retried, caught up ----
full="$work/full"
small_file_system "$full" 8m || give_up "no tmpfs for a full disk"
cp "$tallix_exe" "$full/"
run_tallix "$full"
for _ in $(seq 1 100); do [ "$(journals_in "$full")" == 1 ] && break; sleep 0.1; done
journal="$(winpath "$(find "$full" -maxdepth 1 -name 'Tallix.tape.*.journal')")"
# Keys a message box ignores: a box that shows meanwhile keeps showing.
round="1 2 KP_Add 3 4 equal"
cat /dev/zero >"$full/filler" 2>/dev/null
# The page the journal ends in still takes a few batches.
for _ in $(seq 1 60); do
  # shellcheck disable=SC2086 # several keys
  xdotool key --delay 30 $round $round
  [ "$(probe exists '#32770')" == 1 ] && break
done
text="$(message_box_text)"
[[ "$text" == "The tape could not be saved to $journal ("?*"): retrying." ]]
check "a full disk is said: $text" "0" "$?"
dismiss_message_box
xdotool windowfocus --sync "$window" 2>/dev/null || true
# shellcheck disable=SC2086
xdotool key --delay 30 $round
# A retry is due every 2 s.
sleep 2.5
check "said once, not at each retry" "0" "$(probe exists '#32770')"
rm -f "$full/filler"
check "once the disk takes writes, the tape is protected again" \
  "The tape is saved to $journal again: it is protected against a crash again." "$(message_box_text)"
dismiss_message_box
typed="$(probe tape)"
check "one journal, its temporaries gone" "1 0" "$(journals_in "$full") $(find "$full" -maxdepth 1 -name '*.tmp' | wc -l)"
pkill -KILL -f "$full/Tallix.exe"
wait "$tallix_pid" 2>/dev/null
run_tallix "$full"
check "the tape typed while the disk was full comes back whole" "$typed" "$(probe tape)"
check "and nothing is said" "0" "$(probe exists '#32770')"
close_tallix
