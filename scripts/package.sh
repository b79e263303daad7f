#!/usr/bin/env bash
# Builds what a user downloads, into dist/:
#   Tallix-<version>-win-x64.zip        Tallix.exe, tallix-cli.exe (stripped), README.txt
#   Tallix-<version>-win-x64-debug.zip  their debugging information
#   tallix-cli_<version>_amd64.deb      tallix-cli for Debian, its manual page and completion
# from Release builds of their own (build/release/mingw, build/release/native).
# Built from the same commit anywhere, the executables and the zips are the
# same byte for byte (scripts/check-reproducible.sh shows it).
# shellcheck source=scripts/fail-loudly.sh
source "$(dirname "${BASH_SOURCE[0]}")/fail-loudly.sh"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(dirname "$here")"
cd "$repo"
jobs="${TALLIX_JOBS:-$(nproc)}"

"$here/ensure-deps.sh"

# The commit's date stands for every date the tools would write.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH="$(git log -1 --format=%ct 2>/dev/null || echo 315532800)"
fi
export SOURCE_DATE_EPOCH
# The archives' file modes do not follow whoever runs the build.
umask 022

echo "== Windows zip (MinGW-w64, Release)"
# -g: the debugging information goes into the debug zip, not into the executables.
cmake -S . -B build/release/mingw -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLIX_BUILD_TESTS=OFF \
  -DCMAKE_C_FLAGS=-g -DCMAKE_CXX_FLAGS=-g \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/release/mingw --target windows_zip -j "$jobs"

echo "== Debian package of tallix-cli (native, Release)"
deb="$("$here/build-deb.sh")"

mkdir -p dist
cp build/release/mingw/dist/*.zip "$deb" dist/
ls -l dist
