#!/usr/bin/env bash
# Runs a test script (bash SCRIPT ARGS...) on its slot's display and prefix
# (scripts/test-slot.sh).
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# shellcheck source=scripts/test-slot.sh
source "$here/test-slot.sh"
exec bash "$@"
