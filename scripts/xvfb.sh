#!/usr/bin/env bash
# Sourced: virtual X displays (Xvfb) for the Windows programs under Wine.

# tallix_start_xvfb: starts an Xvfb on a free display number; sets
# TALLIX_NEW_DISPLAY (":N") and TALLIX_NEW_XVFB_PID. Returns 1 if none starts.
tallix_start_xvfb() {
  local n pid
  for n in 99 98 97 96 95 94 93 92 91 90 89 88 87 86 85; do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    # A server of another root or container can own the number through the
    # abstract socket without leaving files in our /tmp: our clients would
    # reach it, and its windows would take our clicks and keys.
    DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1 50); do
      if ! kill -0 "$pid" 2>/dev/null; then break; fi
      if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
        TALLIX_NEW_DISPLAY=":$n" TALLIX_NEW_XVFB_PID=$pid
        return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
  done
  echo "could not start a virtual X display (Xvfb)" >&2
  return 1
}

# Makes sure DISPLAY names a running X server, starting Xvfb if there is none
# (its process: TALLIX_XVFB_PID).
tallix_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  tallix_start_xvfb || return 1
  export DISPLAY="$TALLIX_NEW_DISPLAY"
  TALLIX_XVFB_PID=$TALLIX_NEW_XVFB_PID
}
