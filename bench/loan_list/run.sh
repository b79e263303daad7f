#!/usr/bin/env bash
# Measures the loan window's Calculate and schedule filling under Wine against
# a bare loop filling the same list view. Run after a MinGW build.
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$repo/build/mingw}"
source "$repo/bench/wine_env.sh"
trap wine_bench_cleanup EXIT
"$repo/scripts/wine-exec.sh" "$build/bench/loan_list/loan_list_bench.exe" --runs "${RUNS:-15}"
