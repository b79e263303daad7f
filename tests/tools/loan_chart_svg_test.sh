#!/bin/sh
# tallix-cli loan --chart end to end: the SVG is well-formed, named and told in
# words (the crossover year worked out here from the command's own schedule),
# its labels are <text>, and drawn by librsvg its balance line starts at the
# top of the plot on the left and ends on the axis on the right.
# Usage: loan_chart_svg_test.sh TALLIX-CLI
set -u
cli=$1
fail() {
  echo "loan chart SVG: $*" >&2
  exit 1
}
for tool in xmllint rsvg-convert convert; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/ensure-deps.sh installs it)"
done
dir=$(mktemp -d) || fail "no temporary folder"
trap 'rm -rf "$dir"' EXIT
svg=$dir/chart.svg

"$cli" loan 200000 6.5 30 --first 01-15-2024 --chart "$svg" >"$dir/schedule.txt" ||
  fail "tallix-cli loan --chart failed"
[ -s "$svg" ] || fail "no chart written"
xmllint --noout "$svg" || fail "the chart is not well-formed XML"

xpath() { xmllint --xpath "$1" "$svg" 2>/dev/null; }
el() { echo "*[local-name()='$1']"; }

# The first year of twelve payments that pays more principal than interest.
crossover=$(awk -F'\t' '$1 ~ /^[0-9]+$/ {
    p = $3; i = $4; gsub(/[$,]/, "", p); gsub(/[$,]/, "", i)
    sp += p; si += i
    if ($1 % 12 == 0) { if (sp > si) { print $1 / 12; exit } sp = si = 0 }
  }' "$dir/schedule.txt")
[ -n "$crossover" ] || fail "no year in the schedule pays more principal than interest"

title=$(xpath "string(/$(el svg)/$(el title))")
[ -n "$title" ] || fail "no <title>"
desc=$(xpath "string(/$(el svg)/$(el desc))")
for words in "\$200,000.00" '30 years' "year $crossover."; do
  case $desc in *"$words"*) ;; *) fail "the <desc> \"$desc\" does not say \"$words\"" ;; esac
done

# Every word shown is in a <text>; the legend and the crossover among them.
shown="local-name()='text' or local-name()='title' or local-name()='desc'"
loose=$(xpath "count(//*[not($shown)]/text()[normalize-space()])")
[ "$loose" = 0 ] || fail "$loose text nodes outside <text>"
for label in Balance Principal Interest "from year $crossover"; do
  [ "$(xpath "count(//$(el text)[contains(., '$label')])")" -ge 1 ] || fail "no <text> says \"$label\""
done

# The balance plot's axes: of the black lines through three points, the one
# highest up, from the top of its left axis down and along the bottom.
lines=$(xpath "count(//$(el polyline)[@stroke='#000000'])")
axes=$(k=1; while [ "$k" -le "$lines" ]; do
  xpath "string((//$(el polyline)[@stroke='#000000'])[$k]/@points)"; echo; k=$((k + 1))
done | tr ',' ' ' | awk 'NF == 6 && $1 == $3 && $4 == $6 { print $2, $0 }' | sort -n | head -n 1)
[ -n "$axes" ] || fail "no axes found"
read -r _ left top _ _ right bottom <<EOF
$axes
EOF
left=${left%.*} top=${top%.*} right=${right%.*} bottom=${bottom%.*}

rsvg-convert -b white -o "$dir/chart.png" "$svg" || fail "rsvg-convert could not draw the chart"
# The balance line's pixels in the plot (#005a32, softened at its edges; the
# legend's sample above is left out): the leftmost and the rightmost, as "x y".
convert "$dir/chart.png" -depth 8 txt:- >"$dir/pixels.txt" || fail "ImageMagick could not read the PNG"
ends=$(awk -v left="$left" -v top="$top" -v right="$right" -v bottom="$bottom" 'NR > 1 {
    split($1, at, /[,:]/); rgb = $2; gsub(/[()]/, "", rgb); split(rgb, c, ",")
    x = at[1]; y = at[2]
    if (x < left - 3 || x > right + 3 || y < top - 3 || y > bottom + 3) next
    if (c[1] <= 60 && c[2] >= 70 && c[2] <= 130 && c[3] >= 30 && c[3] <= 90 && c[2] - c[1] >= 50) {
      if (n++ == 0 || x < lx || (x == lx && y < ly)) { lx = x; ly = y }
      if (x > rx || (x == rx && y > ry)) { rx = x; ry = y }
    }
  } END { if (n) print lx, ly, rx, ry }' "$dir/pixels.txt")
[ -n "$ends" ] || fail "no pixel of the balance line's colour in the picture"
read -r x0 y0 x1 y1 <<EOF
$ends
EOF
near() { [ $(($1 - $2)) -le 3 ] && [ $(($2 - $1)) -le 3 ]; }
if ! near "$x0" "$left" || ! near "$y0" "$top"; then
  fail "the balance line starts at $x0,$y0, not at the top of the plot's left edge ($left,$top)"
fi
if ! near "$x1" "$right" || ! near "$y1" "$bottom"; then
  fail "the balance line ends at $x1,$y1, not on the axis at the plot's right edge ($right,$bottom)"
fi
echo "crossover in year $crossover; balance line from $x0,$y0 to $x1,$y1 in the plot $left,$top to $right,$bottom"
