#!/usr/bin/env bash
# Creates (or settles) the Wine prefix under the build folder: no Mono or Gecko
# prompts, no crash dialog, so that tests never wait for a click; and the fonts
# Tallix asks for, so that what Wine draws has the intended metrics.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=scripts/fail-loudly.sh
source "$here/fail-loudly.sh"
# shellcheck source=scripts/wine-reg.sh
source "$here/wine-reg.sh"
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
  wine_reg_set 'HKCU\Software\Wine\WineDbg' ShowCrashDialog REG_DWORD 0
  wineserver -w
  touch "$WINEPREFIX/.tallix-ready"
fi

# Whether Wine hands its windows to a window manager (Y, Wine's default) or
# places them itself (N). The tests run on a virtual display without one, and
# there a managed window that is hidden or closed waits two seconds for the
# manager's answer that never comes; TALLIX_WINE_MANAGED=N spares them that.
managed="${TALLIX_WINE_MANAGED:-Y}"
if [ "$(cat "$WINEPREFIX/.tallix-managed" 2>/dev/null)" != "$managed" ]; then
  wine_reg_set 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ "$managed"
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
    wine_reg_set "$replacements" "${pair%%=*}" REG_SZ "${pair#*=}"
  done
  wineserver -w
  echo "${stand_ins[*]}" >"$WINEPREFIX/.tallix-font-replacements"
fi
