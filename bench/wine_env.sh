#!/usr/bin/env bash
# Sourced by the benchmarks that run under Wine (needs repo set): a display,
# the Wine prefix with its fonts, and wine_bench_cleanup for the exit trap.
# shellcheck source=scripts/xvfb.sh
source "$repo/scripts/xvfb.sh"
tallix_ensure_display
export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix}"
"$repo/scripts/wine-prefix.sh"
wine_bench_cleanup() {
  # The server of this prefix only; it would otherwise linger and hold our output open.
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${TALLIX_XVFB_PID:-}" ]; then kill "$TALLIX_XVFB_PID" 2>/dev/null || true; fi
}
