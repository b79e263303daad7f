#!/usr/bin/env bash
# Sourced: keeps a prefix's wineserver, and the services Wine starts with it,
# running until it is stopped. Under ctest a wineserver started by a test
# program lingers three seconds after it, holding ctest's output pipe open,
# and the next program starts Wine again; one started here, with no pipe of
# anyone's, spares every test both.

# tallix_keep_wine_up PREFIX DISPLAY
tallix_keep_wine_up() {
  WINEPREFIX="$1" wineserver -p </dev/null >/dev/null 2>&1
  DISPLAY="$2" WINEPREFIX="$1" "$(dirname "${BASH_SOURCE[0]}")/wine-exec.sh" cmd /c exit </dev/null >/dev/null 2>&1 || true
}
