#!/usr/bin/env bash
# Creates (or settles) the Wine prefix under the build folder: no Mono or Gecko
# prompts, no crash dialog, so that tests never wait for a click.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(dirname "$here")"
export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/.tallix-ready" ]; then
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w
  # winedbg's crash dialog would block an unattended run.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  wineserver -w
  touch "$WINEPREFIX/.tallix-ready"
fi
