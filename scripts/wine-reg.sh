#!/usr/bin/env bash
# Sourced: the one way the scripts set a value in a Wine prefix's registry.

# wine_reg_set KEY NAME TYPE DATA (in $WINEPREFIX): reg.exe can fail, or its
# write go unseen, while the wineserver of a program just ended is still going
# down. The value is therefore read back, and written again until it is seen;
# after the last try the value is named and the call fails.
wine_reg_set() {
  local expected="$4" try
  [ "$3" != REG_DWORD ] || expected="$(printf '0x%x' "$4")"
  for try in 1 2 3 4 5; do
    if wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1 &&
      wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | grep -qxF "    $2    $3    $expected"; then
      return 0
    fi
    wineserver -w 2>/dev/null || true
    [ "$try" -lt 3 ] || sleep 1
  done
  echo "FAILED: could not set $1\\$2 to $4 in the Wine prefix $WINEPREFIX" >&2
  return 1
}
