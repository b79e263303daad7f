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
