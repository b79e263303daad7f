#!/usr/bin/env bash
# Builds tallix-cli natively in Release (build/release/native) and its Debian
# package through CPack; prints the package's path.
# shellcheck source=scripts/fail-loudly.sh
source "$(dirname "${BASH_SOURCE[0]}")/fail-loudly.sh"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$(dirname "$here")"
jobs="${TALLIX_JOBS:-$(nproc)}"
build=build/release/native
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLIX_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target tallix-cli tallix_cli_manual -j "$jobs" >&2
rm -rf "$build/dist"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$PWD/$build"/dist/tallix-cli_*_amd64.deb
