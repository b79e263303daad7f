#!/usr/bin/env bash
# Runs one Windows program under Wine with the project's prefix and quiet settings.
# Used by ctest as the cross build's emulator and by the start and test scripts.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(dirname "$here")"
export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64
if [ ! -d "$WINEPREFIX/drive_c" ]; then
  "$here/wine-prefix.sh" >&2
fi
exec wine "$@"
