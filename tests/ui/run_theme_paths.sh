#!/usr/bin/env bash
# Runs the button drawing tests twice in a prefix of their own: once with the
# visual style switched off (classic drawing) and once with Wine's light theme
# switched on, the way winecfg's Desktop Integration tab sets it. A separate
# prefix keeps the shared one untouched while other tests run.
# Usage: run_theme_paths.sh <ui_paint_tests.exe> <prefix folder>
# shellcheck source=scripts/fail-loudly.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/fail-loudly.sh"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scripts="$(cd "$here/../../scripts" && pwd)"
# shellcheck source=scripts/wine-reg.sh
source "$scripts/wine-reg.sh"
exe="$1"
export WINEPREFIX="$2"
export WINEDEBUG=-all
"$scripts/wine-prefix.sh"

key='HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager'
set_theme() {
  wine_reg_set "$key" ThemeActive REG_SZ "$1"
  if [ "$1" = 1 ]; then
    wine_reg_set "$key" DllName REG_EXPAND_SZ 'C:\windows\resources\themes\light\light.msstyles'
    wine_reg_set "$key" ColorName REG_SZ Blue
    wine_reg_set "$key" SizeName REG_SZ NormalSize
  fi
}

status=0
for active in 0 1; do
  if [ "$active" = 1 ]; then echo "-- visual style on"; else echo "-- visual style off"; fi
  set_theme "$active"
  TALLIX_EXPECT_THEME="$active" "$scripts/wine-exec.sh" "$exe" --gtest_brief=1 || status=1
done
exit $status
