#!/usr/bin/env bash
# Sourced by the end-to-end scripts: counted checks and the probe of the
# running main window. Needs probe_exe and wine_exec set.
passed=0; failed=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1)); echo "ok: $1"
  else
    failed=$((failed + 1)); echo "FAILED: $1"; diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | head -n 20 | sed 's/^/    /'
  fi
}
probe() { "$wine_exec" "$probe_exe" "$@" | tr -d '\r'; }
# Asks the main window to close, counts a Tallix.exe ($tallix_pid) that does
# not exit, and ends the script with the count of failed checks.
close_tallix() {
  probe close
  for _ in $(seq 1 100); do kill -0 "$tallix_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$tallix_pid" 2>/dev/null && { failed=$((failed + 1)); echo "FAILED: Tallix.exe did not exit"; }
  tallix_pid=""
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}
