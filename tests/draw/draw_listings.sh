#!/usr/bin/env bash
# draw_listings.sh PLAYER: the draw library's part of the -EXPORTCOMMANDS listing is its 12
# commands in their order, and -EXPORTCONSTANTS lists its 27 constants.
set -u
player=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$player" -EXPORTCOMMANDS cmds.txt > /dev/null && "$player" -EXPORTCONSTANTS consts.txt > /dev/null) ||
  { echo "the listings failed"; exit 1; }
awk '/^::/ { on = ($0 == "::draw") ; next } on' "$work/cmds.txt" | tr '\n' ' ' > "$work/draw.txt"
want="12 Box Plot Ellipse Line Circle Polygon SetFillStyle ReadPixel Cls Arc SetFormStyle SetLineWidth "
[ "$(cat "$work/draw.txt")" = "$want" ] || { echo "commands: $(cat "$work/draw.txt")"; exit 1; }
for c in black maroon green olive navy purple teal gray silver red lime yellow blue fuchsia aqua white \
         fillnone fillcolor fillgradient filltexture box line circle plot ellipse polygon arc; do
  grep -qx "$c" "$work/consts.txt" || { echo "constant $c is not listed"; exit 1; }
done
