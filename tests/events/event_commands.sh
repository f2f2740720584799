#!/usr/bin/env bash
# event_commands.sh PLAYER LIST: the event library's part of the -EXPORTCOMMANDS listing is its 49
# commands in table order, as LIST writes them.
set -u
player=$1 want=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && "$player" -EXPORTCOMMANDS cmds.txt > /dev/null) || { echo "the listing failed"; exit 1; }
# "::event", the count, then the names up to the next library.
awk '/^::/ { on = ($0 == "::event") ; next } on' "$work/cmds.txt" > "$work/event.txt"
count=$(head -n 1 "$work/event.txt")
[ "$count" = 49 ] || { echo "count $count, expected 49"; exit 1; }
tail -n +2 "$work/event.txt" | diff -u "$want" - || exit 1
