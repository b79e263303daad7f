#!/usr/bin/env bash
# Runs the button drawing tests twice in a prefix of their own: once with the
# visual style switched off (classic drawing) and once with Wine's light theme
# switched on, the way winecfg's Desktop Integration tab sets it. A separate
# prefix keeps the shared one untouched while other tests run.
# Usage: run_theme_paths.sh <ui_paint_tests.exe> <prefix folder>
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scripts="$(cd "$here/../../scripts" && pwd)"
exe="$1"
export WINEPREFIX="$2"
export WINEDEBUG=-all
"$scripts/wine-prefix.sh"

key='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
set_theme() {
  wine reg add "$key" /v ThemeActive /t REG_SZ /d "$1" /f >/dev/null
  if [ "$1" = 1 ]; then
    wine reg add "$key" /v DllName /t REG_EXPAND_SZ \
      /d 'C:\windows\resources\themes\light\light.msstyles' /f >/dev/null
    wine reg add "$key" /v ColorName /t REG_SZ /d Blue /f >/dev/null
    wine reg add "$key" /v SizeName /t REG_SZ /d NormalSize /f >/dev/null
  fi
}

status=0
for active in 0 1; do
  if [ "$active" = 1 ]; then echo "-- visual style on"; else echo "-- visual style off"; fi
  set_theme "$active"
  TALLIX_EXPECT_THEME="$active" "$scripts/wine-exec.sh" "$exe" --gtest_brief=1 || status=1
done
exit $status
