#!/usr/bin/env bash
# Sourced: a CUPS scheduler of the test run's own, so that printing tests
# never touch the machine's printers, its default printer or /etc/cups, and
# never reach a CUPS that already listens on the machine (or, in a container,
# on the host it shares a network with). Its configuration, spool, cache and
# logs live in one folder; it listens on a Unix socket there and nowhere
# else. CUPS_SERVER names that socket to the CUPS tools and to Wine, whose
# printing goes through libcups. cups-pdf writes where its own configuration
# says (by default the printing user's ~/PDF).

# tallix_start_private_cups LOG_FOLDER: starts it (root only: cups-pdf's
# backend runs as root) and exports CUPS_SERVER and TALLIX_CUPSD_PID. Its
# folder is a new one under /tmp, not the build folder: the filters run as lp
# and must reach the spool and the queue's PPD, and a clone may lie below a
# folder that only root may enter. Its logs are kept in LOG_FOLDER on stop.
tallix_start_private_cups() {
  local dir sock
  [ "$(id -u)" -eq 0 ] || { echo "a private CUPS needs root (cups-pdf's backend runs as root)" >&2; return 1; }
  tallix_stop_private_cups
  TALLIX_CUPS_LOGS="$1"
  dir="$(mktemp -d /tmp/tallix-cups.XXXXXX)" || return 1
  TALLIX_CUPS_DIR="$dir"
  mkdir -p "$dir"/{conf/ppd,spool/tmp,cache,state,log}
  # Filters run as lp: the spool must be theirs to read.
  chgrp -R lp "$dir/spool" && chmod 0710 "$dir/spool" && chmod 1770 "$dir/spool/tmp"
  chmod 0755 "$dir"
  sock="$dir/cups.sock"
  cat >"$dir/conf/cupsd.conf" <<CONF
LogLevel warn
Listen $sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$dir/conf/cups-files.conf" <<CONF
SystemGroup root
ServerRoot $dir/conf
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
ServerKeychain $dir/ssl
CONF
  cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" </dev/null >>"$dir/log/cupsd.out" 2>&1 &
  TALLIX_CUPSD_PID=$!
  export CUPS_SERVER="$sock" TALLIX_CUPSD_PID
  for _ in $(seq 1 100); do
    [ -S "$sock" ] && lpstat -r 2>/dev/null | grep -q 'is running' && return 0
    kill -0 "$TALLIX_CUPSD_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "the private CUPS did not start; its log:" >&2
  tail -n 20 "$dir/log/error_log" "$dir/log/cupsd.out" >&2 2>/dev/null
  return 1
}

tallix_stop_private_cups() {
  if [ -n "${TALLIX_CUPSD_PID:-}" ]; then
    kill "$TALLIX_CUPSD_PID" 2>/dev/null || true
    wait "$TALLIX_CUPSD_PID" 2>/dev/null || true
  fi
  if [ -n "${TALLIX_CUPS_DIR:-}" ] && [ -d "$TALLIX_CUPS_DIR" ]; then
    if [ -n "${TALLIX_CUPS_LOGS:-}" ]; then
      rm -rf "$TALLIX_CUPS_LOGS" && mkdir -p "$TALLIX_CUPS_LOGS" && cp -r "$TALLIX_CUPS_DIR/log/." "$TALLIX_CUPS_LOGS/"
    fi
    rm -rf "$TALLIX_CUPS_DIR"
  fi
  unset TALLIX_CUPSD_PID TALLIX_CUPS_DIR TALLIX_CUPS_LOGS CUPS_SERVER
}
