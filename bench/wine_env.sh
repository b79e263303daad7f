#!/usr/bin/env bash
# Sourced by the Windows benchmarks' run scripts: a display, the Wine prefix
# and a scratch folder, all cleaned up on exit. Sets repo, build and work.
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$repo/build/mingw}"
# shellcheck source=scripts/xvfb.sh
source "$repo/scripts/xvfb.sh"
tallix_ensure_display
export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix}"
"$repo/scripts/wine-prefix.sh"
work="$(mktemp -d)"
tallix_bench_cleanup() {
  # The server of this prefix only; it would otherwise linger and hold our output open.
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${TALLIX_XVFB_PID:-}" ]; then kill "$TALLIX_XVFB_PID" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap tallix_bench_cleanup EXIT
# Start the Wine server once so that no measured program pays for it.
wineserver -p 60 >/dev/null 2>&1 </dev/null || true
