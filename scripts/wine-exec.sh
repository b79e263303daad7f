#!/usr/bin/env bash
# Runs one Windows program under Wine with the project's prefix and quiet settings.
# Used by ctest as the cross build's emulator and by the start and test scripts.
# shellcheck source=scripts/fail-loudly.sh
source "$(dirname "${BASH_SOURCE[0]}")/fail-loudly.sh"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(dirname "$here")"
# shellcheck source=scripts/test-slot.sh
source "$here/test-slot.sh"
export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64
# Wine names files in the locale's character set: outside UTF-8 (a bare
# machine has no locale set) a file named "Tape été.txt" cannot even be made.
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then
  if [ -n "${LC_ALL:-}" ]; then export LC_ALL=C.UTF-8; else export LC_CTYPE=C.UTF-8; fi
fi
if [ ! -d "$WINEPREFIX/drive_c" ]; then
  "$here/wine-prefix.sh" >&2
fi
exec wine "$@"
