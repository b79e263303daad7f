#!/usr/bin/env bash
# Builds everything and runs every test: the native sanitized build with its
# GoogleTest suites, the libFuzzer targets for a bounded time, and the MinGW-w64
# build whose test programs (and Tallix.exe) run under Wine on a virtual display.
# shellcheck source=scripts/fail-loudly.sh
source "$(dirname "${BASH_SOURCE[0]}")/fail-loudly.sh"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(dirname "$here")"
cd "$repo"
jobs="$(nproc)"

"$here/ensure-deps.sh"

echo "== layout of the C++ files (.clang-format)"
"$here/check-format.sh"

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
cmake --build build/fuzz -j "$jobs" --target tallix_fuzzers
# Each fuzzer runs its full time on one core; as many run at once as there are cores.
run_fuzzer() {
  local fuzzer="$1" name corpus
  name="$(basename "$fuzzer")"
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  echo "-- $name for ${TALLIX_FUZZ_SECONDS:-20} s"
  "$fuzzer" -max_total_time="${TALLIX_FUZZ_SECONDS:-20}" -print_final_stats=0 "$corpus" tests/fuzz/seeds \
    2>"build/fuzz/$name.log" || { tail -n 60 "build/fuzz/$name.log"; echo "FAILED: $name" >&2; return 1; }
}
fuzz_pids=()
fuzz_failed=0
for fuzzer in build/fuzz/tests/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  if [ "${#fuzz_pids[@]}" -ge "$jobs" ]; then
    wait "${fuzz_pids[0]}" || fuzz_failed=1
    fuzz_pids=("${fuzz_pids[@]:1}")
  fi
  run_fuzzer "$fuzzer" &
  fuzz_pids+=($!)
done
for pid in "${fuzz_pids[@]}"; do wait "$pid" || fuzz_failed=1; done
[ "$fuzz_failed" -eq 0 ] || exit 1

echo "== Windows build (MinGW-w64) and its tests under Wine"
cmake -S . -B build/mingw -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/mingw -j "$jobs"
# shellcheck source=scripts/xvfb.sh
source "$here/xvfb.sh"
# shellcheck source=scripts/private-cups.sh
source "$here/private-cups.sh"
tallix_ensure_display
# No window manager runs on the test display: Wine places its windows itself.
export TALLIX_WINE_MANAGED=N
# Every prefix of the run starts as a copy of one made once and never run in.
export TALLIX_PREFIX_SEED="$repo/build/wineprefix-seed"
WINEPREFIX="$TALLIX_PREFIX_SEED" "$here/wine-prefix.sh"
WINEPREFIX="$TALLIX_PREFIX_SEED" wineserver -w
export WINEPREFIX="$repo/build/wineprefix"
"$here/wine-prefix.sh"
# Windows tests run side by side, each in a slot of its own: a display and a
# Wine prefix (a copy of the first), so that no two share a screen, a keyboard
# focus or a wineserver. ctest learns the slots from a resource file.
slots="${TALLIX_WINE_SLOTS:-$((jobs < 2 ? jobs : 2))}"
extra_xvfb_pids=()
slot_prefixes=("$WINEPREFIX")
export TALLIX_SLOT_DISPLAY_0="$DISPLAY" TALLIX_SLOT_PREFIX_0="$WINEPREFIX"
slot_list='{"id": "0", "slots": 1}'
for ((slot = 1; slot < slots; slot++)); do
  tallix_start_xvfb
  extra_xvfb_pids+=("$TALLIX_NEW_XVFB_PID")
  prefix="$repo/build/wineprefix-slot$slot"
  WINEPREFIX="$prefix" "$here/wine-prefix.sh"
  slot_prefixes+=("$prefix")
  export "TALLIX_SLOT_DISPLAY_$slot=$TALLIX_NEW_DISPLAY" "TALLIX_SLOT_PREFIX_$slot=$prefix"
  slot_list+=", {\"id\": \"$slot\", \"slots\": 1}"
done
# Each slot's Wine stays up for the whole run.
# shellcheck source=scripts/wine-server.sh
source "$here/wine-server.sh"
for ((slot = 0; slot < slots; slot++)); do
  display_var="TALLIX_SLOT_DISPLAY_$slot"
  tallix_keep_wine_up "${slot_prefixes[$slot]}" "${!display_var}"
done
cat >build/mingw/wine-slots.json <<JSON
{"version": {"major": 1, "minor": 0},
 "local": [{"gui": [$slot_list], "printer": [{"id": "0", "slots": 1}]}]}
JSON
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
(cd build/mingw && ctest --output-on-failure -j "$slots" --resource-spec-file wine-slots.json) || status=$?
for prefix in "${slot_prefixes[@]}"; do WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; done
tallix_stop_private_cups
for pid in ${TALLIX_XVFB_PID:-} "${extra_xvfb_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
if [ "$(machine_printers)" != "$printers_before" ]; then
  echo "FAILED: the tests changed the machine's printers or its default printer" >&2
  diff <(echo "$printers_before") <(machine_printers) >&2 || true
  status=1
fi
exit $status
