#!/usr/bin/env bash
# tallix-cli keys on a generated session of a million keys, timed by hyperfine
# against reading the same session with wc as the named baseline.
# Usage: bench/cli_keys_session.sh [path/to/tallix-cli] [keys]
set -euo pipefail
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cli="${1:-$repo/build/native/app/cli/tallix-cli}"
count="${2:-1000000}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
round='1 2 3 4 . 5 + 6 7 - 8 * 9 / 2 = MS 5 0 % 1 M+ 1 0 0 +Tax + = 2 0 0 Chg 4 1/x + 2nd MR = Hex F F + 1 = Dec Back CE 9 +/- - 3 = Feed Clear'
awk -v round="$round" -v count="$count" 'BEGIN {
  n = split(round, keys, " ");
  for (i = 0; i < count; i++) printf "%s%s", keys[i % n + 1], (i % 20 == 19 ? "\n" : " ");
  print "";
}' > "$work/session.txt"
echo "session: $(wc -w < "$work/session.txt") keys"
hyperfine --warmup 1 --runs "${RUNS:-5}" \
  -n baseline-wc "wc -w < $work/session.txt" \
  -n tallix-cli-keys "$cli keys - < $work/session.txt > /dev/null"
