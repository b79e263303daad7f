#!/usr/bin/env bash
# The Debian package of tallix-cli, checked without installing it: its control
# data, its files unpacked into a temporary folder, the program run from
# there, its manual page rendered and its bash completion asked.
#   deb_package_check.sh DEB VERSION
set -uo pipefail
deb="$1"; version="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
probe_exe=unused wine_exec=unused
# shellcheck source=tests/e2e/e2e_checks.sh
source "$here/../e2e/e2e_checks.sh"

root="$(mktemp -d "${TMPDIR:-/tmp}/tallix-deb.XXXXXX")"
trap 'rm -rf "$root"' EXIT

info="$(dpkg-deb --info "$deb")" || { echo "FAILED: dpkg-deb --info $deb"; exit 1; }
field() { sed -n "s/^ $1: //p" <<<"$info"; }
check "package name" "tallix-cli" "$(field Package)"
check "package version" "$version" "$(field Version)"
check "package architecture" "amd64" "$(field Architecture)"
check "depends on the C library" "1" "$(field Depends | grep -c 'libc6')"
check "the package's files" "$(printf '%s\n' ./usr/bin/tallix-cli ./usr/share/bash-completion/completions/tallix-cli \
  ./usr/share/man/man1/tallix-cli.1.gz)" "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)"

dpkg-deb -x "$deb" "$root" || { echo "FAILED: dpkg-deb -x"; exit 1; }
cli="$root/usr/bin/tallix-cli"
check "tallix-cli --version" "tallix-cli $version" "$("$cli" --version)"
check "a keys session" "$(printf '%s\n' '5  ' '3 +' '--------------------------' '8 =' '' 'display: 8')" \
  "$("$cli" keys 5 + 3 = | sed -n '/^display: /{p;q};p')"

# The manual page renders without a warning and names every option of the usage.
manual="$root/usr/share/man/man1/tallix-cli.1.gz"
warnings="$(MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null)"
check "man -l renders without warnings" "" "$warnings"
page="$(MANWIDTH=80 man -l "$manual" 2>/dev/null)"
for section in NAME SYNOPSIS DESCRIPTION COMMANDS OPTIONS KEYS UNITS "EXIT STATUS"; do
  check "manual section $section" "1" "$(grep -c "^$section\$" <<<"$page")"
done
missing=""
for option in $("$cli" --help | grep -o -- '--[a-z-]*' | sort -u); do
  grep -qE -- "$option([^a-z-]|\$)" <<<"$page" || missing+="$option "
done
check "every option in the manual" "" "$missing"

# The completion from the package, with the packaged program on the PATH.
complete_line() {  # complete_line WORD... : the candidates for the last word
  PATH="$root/usr/bin:$PATH" bash -c '
    source "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
    _tallix_cli; printf "%s\n" "${COMPREPLY[@]}"' _ \
    "$root/usr/share/bash-completion/completions/tallix-cli" tallix-cli "$@"
}
check "completes a command" "keys" "$(complete_line k)"
check "completes an option" "--auto-decimal" "$(complete_line keys --au)"
check "completes an option's values" "$(printf '%s\n' standard adding)" "$(complete_line keys --mode '')"
check "completes a key name" "$(printf '%s\n' +/- + +Tax)" "$(complete_line keys 5 +)"
check "completes a unit name with a blank" 'Nautical\ Miles' "$(complete_line convert 12 Nau)"
check "completes a result unit" "sq.yd" "$(complete_line area 1 ft 2 ft --to sq.y)"
# Units in any letter case, as the commands read them.
check "completes a unit name typed in lower case" "$(printf '%s\n' Meters 'Metric\ Tons' Meters/sec Meters/min)" \
  "$(complete_line convert 5 me)"
check "completes a unit name typed in capitals" 'Nautical\ Miles' "$(complete_line convert 12 NAUT)"
check "completes a side's unit in any case" "$(printf '%s\n' Feet)" "$(complete_line area 1 FE)"
check "completes a result unit in any case" "cu.yd" "$(complete_line volume 1 ft 2 ft 3 ft --to CU.Y)"
report_checks
