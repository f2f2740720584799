#!/usr/bin/env bash
# library_listings.sh PLAYER LIBRARY "COUNT COMMAND..." CONSTANT...: the library's part of the
# -EXPORTCOMMANDS listing is its commands in their order, and -EXPORTCONSTANTS lists each
# constant (lower-cased).
set -u
player=$1 library=$2 want="$3 "
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$player" -EXPORTCOMMANDS cmds.txt > /dev/null && "$player" -EXPORTCONSTANTS consts.txt > /dev/null) ||
  { echo "the listings failed"; exit 1; }
awk -v lib="::$library" '/^::/ { on = ($0 == lib) ; next } on' "$work/cmds.txt" | tr '\n' ' ' > "$work/lib.txt"
[ "$(cat "$work/lib.txt")" = "$want" ] || { echo "commands: $(cat "$work/lib.txt")"; exit 1; }
for c in "$@"; do
  grep -qx "$c" "$work/consts.txt" || { echo "constant $c is not listed"; exit 1; }
done
