#!/usr/bin/env bash
# Measures the loan window's Calculate and schedule filling under Wine against
# a bare loop filling the same list view. Run after a MinGW build.
set -euo pipefail
# shellcheck source=bench/wine_env.sh
source "$(dirname "${BASH_SOURCE[0]}")/../wine_env.sh"
"$repo/scripts/wine-exec.sh" "$build/bench/loan_list/loan_list_bench.exe" --runs "${RUNS:-15}"
