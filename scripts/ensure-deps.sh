#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the start command use,
# only those missing: a machine that has them all runs no package manager.
# shellcheck source=scripts/fail-loudly.sh
source "$(dirname "${BASH_SOURCE[0]}")/fail-loudly.sh"
packages=(
  # Native build, its tests, benchmarks and fuzzers.
  cmake ninja-build g++ clang libclang-rt-dev googletest libbenchmark-dev python3
  # The layout check of every C++ file.
  clang-format
  # Windows build and running it under Wine on a virtual display.
  mingw-w64 wine wine64 xvfb xdotool x11-utils imagemagick hyperfine
  # The faces Tallix asks for: Wine's own Tahoma and MS Sans Serif, and the
  # metric-compatible stand-ins for Arial and Courier New. Without them Wine
  # falls back to a wider face and captions are cut off.
  fonts-wine fonts-liberation
  # The release: the zip checked, the Debian package made (CPack's generator
  # asks `file` about the binaries) and its manual page read.
  unzip dpkg-dev file man-db groff-base
  # Printing into PDF files and reading them back.
  cups cups-client printer-driver-cups-pdf poppler-utils
  # The loan chart's SVG checked as XML and rendered to pixels.
  libxml2-utils librsvg2-bin
  # The end-to-end tests, as root, mount small file systems of their own (a
  # disk that fills up, a folder that cannot be written); a minimal Debian
  # has no mount command.
  mount
)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

still=()
for p in "${missing[@]}"; do
  installed "$p" || still+=("$p")
done
if [ ${#still[@]} -gt 0 ]; then
  echo "These packages could not be installed: ${still[*]}" >&2
  echo "Install them with apt-get and run this command again." >&2
  exit 1
fi
