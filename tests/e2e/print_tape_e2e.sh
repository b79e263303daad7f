#!/usr/bin/env bash
# End to end: the tape's files and printing in the real Tallix.exe under Wine,
# driven by real X key events. A 300-line tape file made by tallix-cli is
# loaded through Load Tape's dialog, given a note with Ctrl+N, saved again
# through Save Tape's, and
# printed through the print dialog onto a PDF printer of CUPS (cups-pdf); the
# PDF is read back for its text and its red ink.
#   print_tape_e2e.sh TALLIX_EXE PROBE_EXE CLI_EXE SCREENSHOT_DIR
set -uo pipefail
tallix_exe="$1"; probe_exe="$2"; cli_exe="$3"; shots="$4"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_exec="$here/../../scripts/wine-exec.sh"

source "$here/e2e_checks.sh"
# The File menu's item at `index` (0 Save Tape, 1 Load Tape, 2 Print Tape):
# F10 and the arrow keys, the way that needs no letter.
file_menu() {
  local keys=(F10 Down)
  for _ in $(seq 1 "$1"); do keys+=(Down); done
  xdotool key --delay 150 "${keys[@]}" Return
}

# ---- a PDF printer as the default one ----
source "$here/pdf_printer.sh"
pdf_printer_ready || give_up "no PDF printer"

work="$(mktemp -d "${TMPDIR:-/tmp}/tallix-print.XXXXXX")"
tallix_pid=""
trap '[ -n "$tallix_pid" ] && kill "$tallix_pid" 2>/dev/null; rm -rf "$work"' EXIT

# ---- a 300-line tape: "1", "2 +", "3 +", "4 -" ... ("-" lines print red) ----
keys=()
for i in $(seq 1 300); do
  read -r -a digits <<<"$(sed 's/./& /g' <<<"$i")"
  keys+=("${digits[@]}" "$([ $((i % 3)) -eq 0 ] && echo - || echo +)")
done
cli keys --save tape300.txt "${keys[@]}" >/dev/null || give_up "tallix-cli could not save the tape"
# What Tallix holds after loading it, then with a note added, and its file
# when saved again.
loaded_tape="$(cli keys --load tape300.txt | sed -n '/^display: /q;p')"
expected_tape="$(cli keys --load tape300.txt --save expected.txt '#Paid by Bob' | sed -n '/^display: /q;p')"

cp "$tallix_exe" "$work/Tallix.exe"
(cd "$work" && exec "$wine_exec" "$work/Tallix.exe") &
tallix_pid=$!
probe wait || give_up "Tallix.exe did not open its main window"
window="$(xdotool search --sync --name '^Tallix$' | head -n 1)"
xdotool windowfocus --sync "$window" 2>/dev/null || true

# ---- Load Tape and Save Tape through their dialogs ----
file_menu 1
answer_dialog "Open Tape File" "$(winpath "$work/tape300.txt")"
probe wait
check "loaded tape" "$loaded_tape" "$(probe tape)"
# A note through its key and its box: saved and printed with the tape.
xdotool key ctrl+n
answer_dialog "Add Note" "Paid by Bob"
probe wait
check "a note added with Ctrl+N" "$expected_tape" "$(probe tape)"
check "LastTapeFile after loading" "LastTapeFile=$(winpath "$work/tape300.txt")" \
  "$(grep -a '^LastTapeFile=' "$work/Tallix.ini" | tr -d '\r')"

file_menu 0
answer_dialog "Save File As" "$(winpath "$work/saved.txt")"
# Its message box, "File was saved as: ...", shares the main window's caption.
for _ in $(seq 1 100); do [ "$(xdotool search --name '^Tallix$' | wc -l)" -ge 2 ] && break; sleep 0.1; done
check "the saved message box shows" "2" "$(xdotool search --name '^Tallix$' | wc -l)"
xdotool key Return
probe wait
check "saved file after its heading" "$(tail -n +2 "$work/expected.txt")" "$(tail -n +2 "$work/saved.txt" 2>/dev/null)"

# ---- Print Tape ----
marker="$work/before-print"; touch "$marker"
file_menu 2
answer_dialog "Print" ""
pdf="$(wait_for_pdf "$marker" 'Print_job*.pdf')"
[ -n "$pdf" ] || give_up "no PDF in $pdf_out from the print job (lpstat: $(lpstat -o 2>&1 | head -n 3))"

pages="$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')"
[ "${pages:-0}" -ge 3 ] && passed=$((passed + 1)) && echo "ok: $pages pages" || {
  failed=$((failed + 1)); echo "FAILED: 300 lines on $pages page(s)"; }
# The printer draws "-" as its hyphen glyph, which reads back as a soft hyphen.
text="$(pdftotext -layout "$pdf" - | sed 's/\xc2\xad/-/g; s/\f//g')"
headings="$(grep -c 'Tape Report (' <<<"$text")"
check "a heading on every page" "$pages" "$headings"
check "first heading without a page number" "1" "$(grep -m 1 'Tape Report (' <<<"$text" | grep -vc ', page')"
check "every tape line in order" "$(sed 's/ *$//' <<<"$expected_tape" | grep -v '^$')" \
  "$(grep -v 'Tape Report (' <<<"$text" | sed 's/^ *//; s/ *$//' | grep -v '^$')"
# Right-aligned: on each page, every line's last digit stands in one column.
misaligned="$(pdftotext -layout "$pdf" - | awk '/\f/ {page++} !/Tape Report/ && /[0-9]/ {
  s = $0; sub(/[^0-9]*$/, "", s); print page, length(s) }' | sort -u | awk '{print $1}' | uniq -d)"
check "tape lines right-aligned on every page" "" "$misaligned"

# The ink of page 1, line by line: each printed line is a band of rows with
# ink, red or black. Lines 4, 7, 10 ... 91 (30 of them) are subtractions.
pdftoppm -r 150 -f 1 -l 1 -singlefile "$pdf" "$work/page"
mkdir -p "$shots"
pdftoppm -r 60 -png -f 1 -l 1 -singlefile "$pdf" "$shots/print-tape-page1" && echo "screenshot: $shots/print-tape-page1.png"
inks="$(python3 - "$work/page.ppm" <<'EOF'
import sys
# pdftoppm's PPM: "P6", width, height, 255, each after white space, then RGB bytes.
data = open(sys.argv[1], 'rb').read()
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos + 1].isspace(): pos += 1
    end = pos
    while not data[end:end + 1].isspace(): end += 1
    fields.append(data[pos:end]); pos = end
width, height, pixels = int(fields[1]), int(fields[2]), data[pos + 1:]
bands, band = [], None
for y in range(height):
    row = pixels[y * width * 3:(y + 1) * width * 3]
    red = any(row[x] > 160 and row[x + 1] < 110 and row[x + 2] < 110 for x in range(0, len(row), 3))
    dark = any(row[x] < 90 and row[x + 1] < 90 and row[x + 2] < 90 for x in range(0, len(row), 3))
    if red or dark:
        band = band or set()
        band.update(['red'] * red + ['black'] * dark)
    elif band:
        bands.append(band); band = None
print('red lines', sum(b == {'red'} for b in bands), 'black lines', sum(b == {'black'} for b in bands),
      'mixed', sum(len(b) > 1 for b in bands))
EOF
)"
# 91 tape lines and the heading.
check "red on the subtractions only, page 1" "red lines 30 black lines 62 mixed 0" "$inks"

close_tallix
