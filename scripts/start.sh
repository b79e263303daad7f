#!/usr/bin/env bash
# Builds Tallix.exe with MinGW-w64 and starts it under Wine. On a machine without
# a display it starts a virtual one, waits for the main window, writes a
# screenshot and prints its path.
# shellcheck source=scripts/fail-loudly.sh
source "$(dirname "${BASH_SOURCE[0]}")/fail-loudly.sh"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(dirname "$here")"
cd "$repo"

"$here/ensure-deps.sh"
cmake -S . -B build/mingw -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/mingw -j "$(nproc)" --target Tallix

# Tallix keeps Tallix.ini beside the executable: give it a folder of its own.
run_dir="$repo/build/run"
mkdir -p "$run_dir"
cp build/mingw/app/Tallix.exe "$run_dir/Tallix.exe"

virtual=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  virtual=1
  unset DISPLAY
  echo "No display found: starting Tallix on a virtual display (Xvfb)."
fi
# shellcheck source=scripts/xvfb.sh
source "$here/xvfb.sh"
tallix_ensure_display
export WINEPREFIX="${WINEPREFIX:-$repo/build/wineprefix}"
"$here/wine-prefix.sh"

if [ "$virtual" = 0 ]; then
  exec "$here/wine-exec.sh" "$run_dir/Tallix.exe"
fi

"$here/wine-exec.sh" "$run_dir/Tallix.exe" &
tallix_pid=$!
window=""
for _ in $(seq 1 200); do
  window="$(xdotool search --name '^Tallix$' 2>/dev/null | head -n 1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "Tallix did not open its window." >&2
  exit 1
fi
sleep 1
shot="$repo/build/run/tallix-screenshot.png"
import -window root "$shot"
echo "Tallix is running on the virtual display $DISPLAY (process $tallix_pid)."
echo "Screenshot: $shot"
wait "$tallix_pid"
