#!/usr/bin/env bash
# End to end: the loan calculator of the real Tallix.exe under Wine, driven by
# X key and mouse events. Profiles are added, renamed and removed through the
# real input boxes; the results and the schedule are read back through window
# messages and compared with tallix-cli loan; a 360-payment analysis is
# printed through the print dialog onto the CUPS PDF printer and read back.
#   loan_window_e2e.sh TALLIX_EXE PROBE_EXE CLI_EXE SCREENSHOT_DIR
set -uo pipefail
tallix_exe="$1"; probe_exe="$2"; cli_exe="$3"; shots="$4"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_exec="$here/../../scripts/wine-exec.sh"

source "$here/e2e_checks.sh"
source "$here/pdf_printer.sh"
pdf_printer_ready || give_up "no PDF printer"

# The loan window's controls.
names=1000; add=1001; rename=1002; remove=1003; amount=1004; rate=1005; years=1006
calculate=1010; print=1011; close=2; problem=1014; first_result=1015; schedule=1009; chart=1021; show_chart=1022
loan=FORM_TALLIX_FORM4_CLASS

click() {
  local x y
  read -r x y < <(probe "$@")
  click_at "$x" "$y"
  probe wait
}
click_loan() { click rect "$1" "$loan"; }
results() { for id in $(seq $first_result $((first_result + 5))); do probe text "$id" "$loan"; done; }
setting() { grep -a "^$1=" "$work/Tallix.ini" | tr -d '\r' | cut -d= -f2-; }
# Replaces the text of a field by $2, with the keys a user would press.
retype() {
  click_loan "$1"
  xdotool key End shift+Home
  xdotool type --delay 10 "$2"
}
# tallix-cli loan's six results and its rows, for a first payment today as in the window.
expected_results() { cli loan "$@" --first "$(date +%m-%d-%Y)" | sed -n '1,6p' | sed 's/^[^:]*: //'; }
expected_rows() { cli loan "$@" --first "$(date +%m-%d-%Y)" | tail -n +9; }

work="$(mktemp -d "${TMPDIR:-/tmp}/tallix-loan.XXXXXX")"
tallix_pid=""
trap '[ -n "$tallix_pid" ] && kill "$tallix_pid" 2>/dev/null; rm -rf "$work"' EXIT
cp "$tallix_exe" "$work/Tallix.exe"
(cd "$work" && exec "$wine_exec" "$work/Tallix.exe") &
tallix_pid=$!
probe wait || give_up "Tallix.exe did not open its main window"
click rect 1048
timeout 20 xdotool search --sync --name '^Loan Calculator$' >/dev/null || give_up "the Loan key opened no loan window"
check "no profiles at first" "" "$(probe listbox $names $loan)"

# ---- a profile typed in and calculated ----
click_loan $add
answer_dialog "Add Loan Profile" "Home"
probe wait
check "Add lists the new profile" "Home" "$(probe listbox $names $loan)"
check "Add writes only the name" "Home|" "$(setting Name1)|$(setting Principal1)"
xdotool type --delay 10 "100000"; xdotool key Tab; xdotool type --delay 10 "8.25"; xdotool key Tab
xdotool type --delay 10 "30"
click_loan $calculate
check "results as tallix-cli loan shows them" "$(expected_results 100000 8.25 30)" "$(results)"
check "schedule as tallix-cli loan lists it" "$(expected_rows 100000 8.25 30)" "$(probe listview $schedule $loan)"
check "the analysis on the tape" \
  "Loan Name: Home|Annual Interest: 8.25%|Compounded: Monthly|Monthly Payments: \$751.27|Total Cost: \$270,455.98" \
  "$(probe tape | grep -E '^(Loan Name|Annual Interest|Compounded|Monthly Payments|Total Cost): ' | paste -sd '|')"
check "Calculate stores the profile" "100000 8.25 30 2" \
  "$(setting Principal1) $(setting Interest1) $(setting Years1) $(setting CompoundingPeriods1)"
# No interest: nothing is computed or written, and the focus points to the rate.
tape_lines="$(probe tape | wc -l)"
retype $rate "0"
click_loan $calculate
check "zero interest keeps the results, points to the rate and leaves the tape" \
  "\$751.27|$rate|$tape_lines" "$(probe text $first_result $loan)|$(probe focus $loan)|$(probe tape | wc -l)"

# ---- a rate in eighths keeps its third decimal ----
click_loan $add
answer_dialog "Add Loan Profile" "Car"
probe wait
xdotool type --delay 10 "20000"; xdotool key Tab; xdotool type --delay 10 "6.125"; xdotool key Tab
xdotool type --delay 10 "5"
click_loan $calculate
check "an eighth of a percent stays in the field" "6.125%" "$(probe text $rate $loan)"
check "and in the payment" "$(expected_results 20000 6.125 5)" "$(results)"
check "and in the profile" "6.125" "$(setting Interest2)"

# ---- rename: a used name is refused, a new one taken in place ----
click_loan $rename
answer_dialog "Rename Loan Profile" "Home"
timeout 20 xdotool search --sync --name '^Duplicate Name!$' >/dev/null &&
  passed=$((passed + 1)) && echo "ok: a used name is refused" || { failed=$((failed + 1)); echo "FAILED: no refusal"; }
xdotool key Return
probe wait
check "the refused rename changes nothing" "Car|Home|Car" "$(probe listbox $names $loan | paste -sd '|')|$(setting Name2)"
click_loan $rename
answer_dialog "Rename Loan Profile" "Auto"
probe wait
check "rename in place" "Auto|Home|Auto" "$(probe listbox $names $loan | paste -sd '|')|$(setting Name2)"

# ---- remove: the first profile left is shown again ----
click_loan $remove
check "Remove leaves Home, shown" "Home|\$100,000.00|360" \
  "$(probe listbox $names $loan)|$(probe text $amount $loan)|$(probe listview $schedule $loan | wc -l)"
check "Remove empties the slot's keys" "|||" "$(setting Name2)|$(setting Principal2)|$(setting Interest2)|$(setting Years2)"

# ---- a duration under half a month is told, not divided by ----
retype $years "0.04"
click_loan $calculate
check "no results and no rows for 0.04 years" "||||||0" "$(results | paste -sd '|')|$(probe listview $schedule $loan | wc -l)"
[ -n "$(probe text $problem $loan)" ] && passed=$((passed + 1)) && echo "ok: the window says why" ||
  { failed=$((failed + 1)); echo "FAILED: no reason shown"; }
retype $years "30"
click_loan $calculate
# The chart pane, shown with a click on its check box, says the loan in words.
click_loan $show_chart
check "Show chart is kept" "1" "$(setting Chart)"
check "the chart in words" "Balance falls from \$100,000.00 to \$0.00 over 30 years; principal exceeds interest from year 23." \
  "$(probe text $chart $loan)"
mkdir -p "$shots"
sleep 1
import -window root "$shots/loan-window.png" 2>/dev/null && echo "screenshot: $shots/loan-window.png"

# ---- the 360-payment report on the PDF printer ----
marker="$work/before-print"; touch "$marker"
click_loan $print
answer_dialog "Print" ""
pdf="$(wait_for_pdf "$marker" 'Loan_Analysis*.pdf')"
[ -n "$pdf" ] || give_up "no PDF in $pdf_out from the print job (lpstat: $(lpstat -o 2>&1 | head -n 3))"
pages="$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')"
[ "${pages:-0}" -ge 3 ] && passed=$((passed + 1)) && echo "ok: $pages pages" ||
  { failed=$((failed + 1)); echo "FAILED: 360 payments on $pages page(s)"; }
text="$(pdftotext -layout "$pdf" -)"
check "every payment row once, in order" "$(expected_rows 100000 8.25 30 | tr '\t' ' ')" \
  "$(grep -E '^ *[0-9]+ +[0-9]{2}/[0-9]{4} ' <<<"$text" | sed 's/^ *//; s/  */ /g')"
check "a page number at the foot of every page" "$(seq 1 "$pages" | sed 's/^/Page /')" \
  "$(awk -v RS='\f' 'NF {n = split($0, lines, "\n"); for (i = n; i > 0; i--) if (lines[i] ~ /Page/) {
    sub(/^ */, "", lines[i]); print lines[i]; break } }' <<<"$text")"
check "(Continued) on every page after the first" "$((pages - 1))" \
  "$(awk -v RS='\f' 'NR > 1 && /\(Continued\)/ && /Amortization Schedule/' <<<"$text" | grep -c 'Continued')"
pdftoppm -r 60 -png -f 2 -l 2 -singlefile "$pdf" "$shots/loan-report-page2" && echo "screenshot: $shots/loan-report-page2.png"
# The chart on the first page: rows there make room for it, at most one page more.
row_pattern='^ *[0-9]+ +[0-9]{2}/[0-9]{4} '
rows_on() { awk -v RS='\f' -v page="$1" 'NR == page' <<<"$text" | grep -cE "$row_pattern"; }
capacity=$(($(rows_on 2) + 10))
without_chart=$((1 + (360 - (capacity - 30) + capacity - 11) / (capacity - 10)))
[ "$pages" -le $((without_chart + 1)) ] && passed=$((passed + 1)) &&
  echo "ok: $pages pages, against $without_chart without the chart" ||
  { failed=$((failed + 1)); echo "FAILED: $pages pages, $without_chart without the chart"; }
# Between the totals and the schedule's title the page holds a drawing: a
# tenth of its pixels or more are not white (the bars, hatching, line, labels).
words="$(pdftotext -f 1 -l 1 -bbox "$pdf" -)"
chart_top="$(grep -m1 '>Cost:<' <<<"$words" | sed -E 's/.*yMax="([0-9.]+)".*/\1/')"
chart_bottom="$(grep -m1 '>Amortization<' <<<"$words" | sed -E 's/.*yMin="([0-9.]+)".*/\1/')"
page1="$shots/loan-report-page1"
pdftoppm -r 72 -gray -png -f 1 -l 1 -singlefile "$pdf" "$page1" && echo "screenshot: $page1.png"
band="$(awk -v top="$chart_top" -v bottom="$chart_bottom" 'BEGIN { printf "10000x%d+0+%d", bottom - top, top }')"
dark="$(convert "$page1.png" -crop "$band" -threshold 90% -negate -format '%[fx:mean]' info: 2>/dev/null)"
awk -v d="${dark:-0}" 'BEGIN { exit !(d > 0.1) }' && passed=$((passed + 1)) &&
  echo "ok: the chart's band is drawn (dark share $dark)" ||
  { failed=$((failed + 1)); echo "FAILED: nothing drawn between the totals ($chart_top) and the schedule ($chart_bottom): $dark"; }

click_loan $close
check "Close closes the loan window" "" "$(xdotool search --name '^Loan Calculator$')"
probe close
for _ in $(seq 1 100); do kill -0 "$tallix_pid" 2>/dev/null || break; sleep 0.1; done
tallix_pid=""
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
