#!/usr/bin/env bash
# Shows that the release is reproducible: the commit checked out (HEAD, or the
# one given) is cloned into two new folders of different names and packaged
# in each, one after the other and without the compiler cache, and the
# executables, the zips and the Debian package must be the same byte for byte.
# Changes not committed are not part of it.
#   check-reproducible.sh [COMMIT]
# shellcheck source=scripts/fail-loudly.sh
source "$(dirname "${BASH_SOURCE[0]}")/fail-loudly.sh"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(dirname "$here")"
commit="$(git -C "$repo" rev-parse "${1:-HEAD}")"

scratch="$(mktemp -d "${TMPDIR:-/tmp}/tallix-reproducible.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT
folders=("$scratch/first" "$scratch/second build, elsewhere")

for folder in "${folders[@]}"; do
  echo "== $commit packaged in $folder"
  git clone -q --no-checkout "$repo" "$folder"
  git -C "$folder" checkout -q --detach "$commit"
  (cd "$folder" && CCACHE_DISABLE=1 bash scripts/package.sh >"$scratch/$(basename "$folder").log" 2>&1) \
    || { tail -n 40 "$scratch/$(basename "$folder").log"; exit 1; }
done

# The packages, and the executables as linked before stripping.
artifacts() {
  (cd "$1" && ls dist/* build/release/mingw/app/Tallix.exe build/release/mingw/app/cli/tallix-cli.exe \
    build/release/native/app/cli/tallix-cli)
}
status=0
if [ "$(artifacts "${folders[0]}")" != "$(artifacts "${folders[1]}")" ]; then
  echo "The two builds made different files:" >&2
  diff <(artifacts "${folders[0]}") <(artifacts "${folders[1]}") >&2 || true
  status=1
fi
while read -r file; do
  if cmp -s "${folders[0]}/$file" "${folders[1]}/$file"; then
    echo "same:      $(cd "${folders[0]}" && sha256sum "$file")"
  else
    echo "DIFFERENT: $file" >&2
    status=1
  fi
done < <(artifacts "${folders[0]}")
[ $status -eq 0 ] && echo "The two builds are byte-identical."
exit $status
