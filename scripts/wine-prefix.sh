#!/usr/bin/env bash
# Creates (or settles) the Wine prefix under the build folder: no Mono or Gecko
# prompts, no crash dialog, so that tests never wait for a click; and the fonts
# Tallix asks for, so that what Wine draws has the intended metrics.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(dirname "$here")"
export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# Wine names files in the locale's character set: outside UTF-8 (a bare
# machine has no locale set) a file named "Tape été.txt" cannot even be made.
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then
  if [ -n "${LC_ALL:-}" ]; then export LC_ALL=C.UTF-8; else export LC_CTYPE=C.UTF-8; fi
fi
# A registry value of the prefix. reg.exe can fail while the wineserver of a
# program just ended is still going down: it is tried again, and a last
# failure says which value.
reg_add() {  # reg_add KEY VALUE TYPE DATA
  local tries
  for tries in 1 2 3; do
    wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1 && return 0
    wineserver -w
  done
  echo "wine-prefix.sh: could not set $1\\$2 in $WINEPREFIX" >&2
  return 1
}

# A new prefix is a copy of the run's untouched seed prefix where there is one
# (scripts/test.sh makes it): a copy takes a second where wineboot takes
# twenty.
seed="${TALLIX_PREFIX_SEED:-}"
if [ ! -f "$WINEPREFIX/.tallix-ready" ] && [ -n "$seed" ] && [ "$seed" != "$WINEPREFIX" ] &&
   [ -f "$seed/.tallix-ready" ]; then
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  cp -a "$seed" "$WINEPREFIX"
fi
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/.tallix-ready" ]; then
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w
  # winedbg's crash dialog would block an unattended run.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  wineserver -w
  touch "$WINEPREFIX/.tallix-ready"
fi

# Whether Wine hands its windows to a window manager (Y, Wine's default) or
# places them itself (N). The tests run on a virtual display without one, and
# there a managed window that is hidden or closed waits two seconds for the
# manager's answer that never comes; TALLIX_WINE_MANAGED=N spares them that.
managed="${TALLIX_WINE_MANAGED:-Y}"
if [ "$(cat "$WINEPREFIX/.tallix-managed" 2>/dev/null)" != "$managed" ]; then
  reg_add 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ "$managed"
  wineserver -w
  echo "$managed" >"$WINEPREFIX/.tallix-managed"
fi

# Debian's Wine does not look in the folder where fonts-wine puts Wine's own
# Tahoma and MS Sans Serif; every font in the prefix's Fonts folder is loaded.
# Arial and Courier New are not Wine's: name their metric-compatible stand-ins,
# or Wine picks a proportional sans face for both. Nor is Microsoft Sans Serif,
# the TrueType face that stands for the bitmap MS Sans Serif above 96 DPI: the
# Arial-like Liberation Sans takes its place.
wine_fonts=/usr/share/wine/fonts
if [ ! -f "$wine_fonts/tahoma.ttf" ]; then
  echo "Wine's own fonts are missing ($wine_fonts/tahoma.ttf): apt-get install fonts-wine" >&2
  exit 1
fi
fonts_dir="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts_dir"
for font in "$wine_fonts"/*; do
  [ -e "$fonts_dir/$(basename "$font")" ] || ln -sf "$font" "$fonts_dir/"
done
stand_ins=('Arial=Liberation Sans' 'Courier New=Liberation Mono' 'Microsoft Sans Serif=Liberation Sans')
# A prefix made before a stand-in was added gets it too.
if [ "$(cat "$WINEPREFIX/.tallix-font-replacements" 2>/dev/null)" != "${stand_ins[*]}" ]; then
  replacements='HKCU\Software\Wine\Fonts\Replacements'
  for pair in "${stand_ins[@]}"; do
    reg_add "$replacements" "${pair%%=*}" REG_SZ "${pair#*=}"
  done
  wineserver -w
  echo "${stand_ins[*]}" >"$WINEPREFIX/.tallix-font-replacements"
fi
