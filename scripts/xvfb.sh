#!/usr/bin/env bash
# Sourced: makes sure DISPLAY names a running X server, starting Xvfb if there is none.
tallix_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n
  for n in 99 98 97 96 95 94 93 92 91 90; do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    # A server of another root or container can own the number through the
    # abstract socket without leaving files in our /tmp: our clients would
    # reach it, and its windows would take our clicks and keys.
    DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    TALLIX_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do
      if ! kill -0 "$TALLIX_XVFB_PID" 2>/dev/null; then break; fi
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$TALLIX_XVFB_PID" 2>/dev/null || true
    unset TALLIX_XVFB_PID DISPLAY
  done
  echo "could not start a virtual X display (Xvfb)" >&2
  return 1
}
