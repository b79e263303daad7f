#!/usr/bin/env bash
# Sourced by the printing end-to-end scripts: a cups-pdf queue $queue as the
# default printer, CUPS started if it is not running (which needs root), and
# $pdf_out set to the folder where cups-pdf leaves its PDFs. Needs give_up.
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  [ "$(id -u)" -eq 0 ] || give_up "CUPS is not running and only root may start it"
  cupsd || give_up "cupsd did not start"
  for _ in $(seq 1 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
fi
ppd="$(ls /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -n 1)"
[ -n "$ppd" ] || give_up "no cups-pdf driver (printer-driver-cups-pdf)"
lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" 2>/dev/null && lpadmin -d "$queue" || give_up "lpadmin could not add $queue"
# cups-pdf writes to its Out folder, ${HOME}/PDF for the user printing unless configured otherwise.
pdf_out="$(awk '$1 == "Out" {print $2}' /etc/cups/cups-pdf.conf 2>/dev/null)"
pdf_out="${pdf_out:-\${HOME\}/PDF}"; pdf_out="${pdf_out//\$\{HOME\}/$HOME}"; pdf_out="${pdf_out//\$HOME/$HOME}"

# wait_for_pdf NAME_GLOB MARKER: the PDF printed after MARKER was touched, once
# the queue is empty; empty text after a minute without one.
wait_for_pdf() {
  local pdf=""
  for _ in $(seq 1 120); do
    pdf="$(find "$pdf_out" -maxdepth 1 -name "$1" -newer "$2" 2>/dev/null | head -n 1)"
    [ -n "$pdf" ] && [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] && break
    sleep 0.5
  done
  [ -n "$pdf" ] && sleep 0.5
  echo "$pdf"
}
