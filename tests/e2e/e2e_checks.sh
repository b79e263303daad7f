#!/usr/bin/env bash
# Sourced by the end-to-end scripts: counted checks and the probe of the
# running main window, answers to its dialogs and tallix-cli. Needs probe_exe
# and wine_exec set, and cli_exe and work for cli.
passed=0; failed=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1)); echo "ok: $1"
  else
    failed=$((failed + 1)); echo "FAILED: $1"; diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | head -n 20 | sed 's/^/    /'
  fi
}
probe() { "$wine_exec" "$probe_exe" "$@" | tr -d '\r'; }
cli() { (cd "$work" && "$wine_exec" "$cli_exe" "$@" | tr -d '\r'); }
give_up() { echo "FAILED: $1"; exit 1; }
# Waits for a top-level window titled $1 and types $2 into it, then Enter.
answer_dialog() {
  timeout 20 xdotool search --sync --name "^$1\$" >/dev/null || give_up "no \"$1\" dialog"
  sleep 0.5
  [ -n "$2" ] && xdotool type --delay 10 "$2"
  xdotool key Return
}
