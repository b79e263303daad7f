#!/usr/bin/env bash
# Sourced by the end-to-end scripts: counted checks, the probe of the
# running main window, Tallix.exe started in a fresh folder and closed,
# answers to its dialogs and message boxes, Windows paths and tallix-cli.
# Needs probe_exe and wine_exec set (tallix_exe and shots to start Tallix,
# cli_exe and work for cli).
passed=0; failed=0
check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    passed=$((passed + 1)); echo "ok: $1"
  else
    failed=$((failed + 1)); echo "FAILED: $1"; diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | head -n 20 | sed 's/^/    /'
  fi
}
probe() { "$wine_exec" "$probe_exe" "$@" | tr -d '\r'; }

# What `probe ARGS` says once it says EXPECTED, or after 20 s what it says
# then: a window busy with a long piece of work is read when it is done.
probe_until() {  # probe_until EXPECTED ARGS...
  local expected="$1" said
  shift
  for _ in $(seq 1 100); do
    said="$(probe "$@")"
    [ "$said" == "$expected" ] && break
    sleep 0.2
  done
  printf '%s\n' "$said"
}

# Copies Tallix.exe into a new folder $work (removed at exit), with a
# Tallix.ini of the lines SETTINGS when given, starts it and waits for its
# main window ($window, focused; $tallix_pid). Exits the script when the
# window does not come.
start_tallix() {  # start_tallix NAME [SETTINGS]
  work="$(mktemp -d "${TMPDIR:-/tmp}/tallix-$1.XXXXXX")"
  trap 'rm -rf "$work"' EXIT
  cp "$tallix_exe" "$work/Tallix.exe"
  [ -n "${2:-}" ] && printf '%s\r\n' "$2" >"$work/Tallix.ini"
  mkdir -p "$shots"
  run_tallix
}

# Starts $work/Tallix.exe (again), or the one in FOLDER, and waits for its
# main window, as above.
# shellcheck disable=SC2120 # the folder is for the scripts that source this
run_tallix() {  # run_tallix [FOLDER]
  "$wine_exec" "${1:-$work}/Tallix.exe" &
  tallix_pid=$!
  probe wait || { echo "FAILED: Tallix.exe did not open its main window"; exit 1; }
  window="$(xdotool search --sync --name '^Tallix$' | head -n 1)"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
}

# Closes the main window and counts it failed if Tallix.exe does not exit.
stop_tallix() {
  probe close
  for _ in $(seq 1 100); do kill -0 "$tallix_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$tallix_pid" 2>/dev/null; then
    failed=$((failed + 1)); echo "FAILED: Tallix.exe did not exit"; kill "$tallix_pid"
  fi
}

# Prints the totals; the script's status follows.
report_checks() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

# Stops Tallix.exe as above and reports.
close_tallix() {
  stop_tallix
  report_checks
}

# The mouse to X Y, then a click (or the xdotool click arguments given). A
# synchronous move to where the pointer already is would wait 15 s for a
# motion that never comes.
click_at() {  # click_at X Y [CLICK ARGUMENTS]
  local x="$1" y="$2" X Y SCREEN WINDOW
  shift 2
  eval "$(xdotool getmouselocation --shell)"
  [ "$X" == "$x" ] && [ "$Y" == "$y" ] || xdotool mousemove --sync "$x" "$y"
  xdotool click "${@:-1}"
}

cli() { (cd "$work" && "$wine_exec" "$cli_exe" "$@" | tr -d '\r'); }
# Stops the test at once; a Tallix.exe left running would hold the test's output open.
give_up() {
  echo "FAILED: $1"
  [ -n "${work:-}" ] && pkill -f "$work/Tallix.exe"
  exit 1
}
# Waits for a top-level window titled $1 and types $2 into it, then Enter.
answer_dialog() {
  timeout 20 xdotool search --sync --name "^$1\$" >/dev/null || give_up "no \"$1\" dialog"
  sleep 0.5
  [ -n "$2" ] && xdotool type --delay 10 "$2"
  xdotool key Return
}
# The Windows name of a Unix path.
winpath() { "$wine_exec" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
# The text of the message box Tallix shows, once one shows (within about a
# minute); empty when none does.
message_box_text() {
  for _ in $(seq 1 120); do [ "$(probe exists '#32770')" == 1 ] && break; sleep 0.2; done
  probe text 65535 '#32770' 2>/dev/null
}
# Enter on the message box shown, then until it is gone.
dismiss_message_box() {
  xdotool key Return
  for _ in $(seq 1 100); do [ "$(probe exists '#32770')" == 0 ] && break; sleep 0.1; done
}
