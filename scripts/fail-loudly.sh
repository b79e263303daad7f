#!/usr/bin/env bash
# Sourced first by every script that stops at its first failing command: a
# bare `set -e` stops without a word, so the script that stopped, the line and
# the command are said.
set -Eeuo pipefail
# shellcheck disable=SC2154 # set by the trap itself
trap 'tallix_failed_status=$?; echo "FAILED: $(basename "${BASH_SOURCE[0]:-$0}") line $LINENO: $BASH_COMMAND (exit $tallix_failed_status)" >&2' ERR
