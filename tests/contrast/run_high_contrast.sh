#!/usr/bin/env bash
# Runs the high contrast test in a prefix of its own: it changes the system
# colours and the high contrast setting (and puts both back), which must not
# touch the prefix other tests share. Leaves the picture of the main window as
# high-contrast-main.png in the screenshots folder, and the loan window's chart
# as high-contrast-loan-chart.png.
# Usage: run_high_contrast.sh <high_contrast_test.exe> <prefix folder> <screenshots folder>
# shellcheck source=scripts/fail-loudly.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/fail-loudly.sh"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
scripts="$(cd "$here/../../scripts" && pwd)"
exe="$1"
export WINEPREFIX="$2"
shots="$3"
export WINEDEBUG=-all
"$scripts/wine-prefix.sh"

mkdir -p "$shots"
bmp="$shots/high-contrast-main.bmp"
rm -f "$bmp" "$shots/high-contrast-main.png" "$shots/high-contrast-loan-chart.png"
status=0
TALLIX_SCREENSHOT="$(winepath -w "$bmp" 2>/dev/null)" "$scripts/wine-exec.sh" "$exe" --gtest_brief=1 || status=1
if [ -e "$bmp" ]; then
  convert "$bmp" "$shots/high-contrast-main.png" && rm -f "$bmp"
  chart="$shots/high-contrast-loan-chart.bmp"
  [ -e "$chart" ] && convert "$chart" "$shots/high-contrast-loan-chart.png" && rm -f "$chart"
else
  echo "no picture of the main window was taken" >&2
  status=1
fi
exit $status
