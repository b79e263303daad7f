#!/usr/bin/env bash
# Fails, naming each file, where a C++ file of the tree is not laid out as
# .clang-format says or has a line over its 120 columns (which clang-format
# leaves alone in a string or a comment it cannot break).
# shellcheck source=scripts/fail-loudly.sh
source "$(dirname "${BASH_SOURCE[0]}")/fail-loudly.sh"
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
status=0
# One clang-format per file, as many at once as there are cores.
unformatted="$(printf '%s\0' "${files[@]}" | xargs -0 -n 8 -P "$(nproc)" sh -c \
  'for f; do clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || echo "$f"; done' sh)"
if [ -n "$unformatted" ]; then
  sed 's/.*/FAILED: & is not laid out as .clang-format says (clang-format -i &)/' <<<"$unformatted" >&2
  status=1
fi
long="$(LC_ALL=C.UTF-8 grep -nE '^.{121,}' "${files[@]}" | cut -d: -f1,2 || true)"
if [ -n "$long" ]; then
  sed 's/.*/FAILED: & is over 120 columns/' <<<"$long" >&2
  status=1
fi
exit $status
