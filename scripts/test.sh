#!/usr/bin/env bash
# Builds everything and runs every test: the native sanitized build with its
# GoogleTest suites, the libFuzzer targets for a bounded time, and the MinGW-w64
# build whose test programs (and Tallix.exe) run under Wine on a virtual display.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(dirname "$here")"
cd "$repo"
jobs="$(nproc)"

"$here/ensure-deps.sh"

echo "== native build (GCC, AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALLIX_SANITIZE=ON -DTALLIX_BUILD_BENCH=ON >/dev/null
cmake --build build/native -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build/native && ctest --output-on-failure -j "$jobs")

echo "== Debian package of tallix-cli (native Release build), checked without installing it"
deb="$("$here/build-deb.sh")"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/native/CMakeCache.txt)"
bash tests/release/deb_package_check.sh "$deb" "$version"

echo "== fuzzing (clang libFuzzer, bounded)"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTALLIX_BUILD_TESTS=OFF -DTALLIX_BUILD_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$jobs"
for fuzzer in build/fuzz/tests/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  corpus="build/fuzz/corpus/$(basename "$fuzzer")"
  mkdir -p "$corpus"
  echo "-- $(basename "$fuzzer") for ${TALLIX_FUZZ_SECONDS:-20} s"
  "$fuzzer" -max_total_time="${TALLIX_FUZZ_SECONDS:-20}" -print_final_stats=0 "$corpus" tests/fuzz/seeds 2>build/fuzz/last-fuzz.log \
    || { tail -n 60 build/fuzz/last-fuzz.log; exit 1; }
done

echo "== Windows build (MinGW-w64) and its tests under Wine"
cmake -S . -B build/mingw -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/mingw -j "$jobs"
# shellcheck source=scripts/xvfb.sh
source "$here/xvfb.sh"
# shellcheck source=scripts/private-cups.sh
source "$here/private-cups.sh"
tallix_ensure_display
export WINEPREFIX="$repo/build/wineprefix"
# No window manager runs on the test display: Wine places its windows itself.
export TALLIX_WINE_MANAGED=N
"$here/wine-prefix.sh"
# The machine's own printers, default printer, CUPS configuration and printcap,
# to be found unchanged after the printing tests (the printers empty where the
# machine runs no CUPS).
machine_printers() {
  env -u CUPS_SERVER lpstat -d -v 2>/dev/null | sort || true
  find /etc/cups /run/cups/printcap /etc/printcap -maxdepth 2 -type f -exec md5sum {} + 2>/dev/null | sort || true
}
printers_before="$(machine_printers)"
tallix_start_private_cups "$repo/build/cups-log"
status=0
(cd build/mingw && ctest --output-on-failure) || status=$?
wineserver -k 2>/dev/null || true
tallix_stop_private_cups
[ -n "${TALLIX_XVFB_PID:-}" ] && kill "$TALLIX_XVFB_PID" 2>/dev/null || true
if [ "$(machine_printers)" != "$printers_before" ]; then
  echo "FAILED: the tests changed the machine's printers or its default printer" >&2
  diff <(echo "$printers_before") <(machine_printers) >&2 || true
  status=1
fi
exit $status
