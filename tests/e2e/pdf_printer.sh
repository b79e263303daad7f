#!/usr/bin/env bash
# Sourced by the printing end-to-end scripts: a CUPS PDF printer (cups-pdf)
# as the default one of a private CUPS, and the PDFs it writes.

# Makes the queue TallixPDF the default printer of the test run's private
# CUPS (scripts/private-cups.sh, started by scripts/test.sh and named by
# CUPS_SERVER), never of the machine's, and sets pdf_out to cups-pdf's output
# folder. On failure it prints why and returns 1.
pdf_printer_ready() {
  local queue=TallixPDF ppd
  [ -S "${CUPS_SERVER:-}" ] ||
    { echo "no private CUPS (CUPS_SERVER names no socket): run through scripts/test.sh, which starts one"; return 1; }
  lpstat -r 2>/dev/null | grep -q 'is running' || { echo "the private CUPS at $CUPS_SERVER does not answer"; return 1; }
  ppd="$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -n 1)"
  [ -n "$ppd" ] || { echo "no cups-pdf driver (printer-driver-cups-pdf)"; return 1; }
  lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" 2>/dev/null && lpadmin -d "$queue" ||
    { echo "lpadmin could not add $queue"; return 1; }
  # cups-pdf writes to its Out folder, ${HOME}/PDF for the user printing unless configured otherwise.
  pdf_out="$(awk '$1 == "Out" {print $2}' /etc/cups/cups-pdf.conf 2>/dev/null)"
  pdf_out="${pdf_out:-\${HOME\}/PDF}"; pdf_out="${pdf_out//\$\{HOME\}/$HOME}"; pdf_out="${pdf_out//\$HOME/$HOME}"
}

# Prints the path of the PDF named like $2 (a find pattern) written after the
# file $1 was touched, once the queue is empty; nothing after a minute.
wait_for_pdf() {
  local pdf=""
  for _ in $(seq 1 120); do
    pdf="$(find "$pdf_out" -maxdepth 1 -name "$2" -newer "$1" 2>/dev/null | head -n 1)"
    [ -n "$pdf" ] && [ -z "$(lpstat -o TallixPDF 2>/dev/null)" ] && break
    sleep 0.5
  done
  [ -n "$pdf" ] && sleep 0.5 && echo "$pdf"
}
