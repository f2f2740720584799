#!/usr/bin/env bash
# x11_keys.sh PLAYER QMASM PROGRAM: on an X server, xdotool types into the program's real window
# and the program's key callbacks see the keys in order, with Return as a line feed.
set -u
player=$1 qmasm=$2 src=$(realpath "$3")
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "$1"; cat "$work/out.txt" "$work/err.txt" 2>/dev/null; exit 1; }
"$qmasm" "$src" -o "$work/prog.qmb" || fail "assembling $src failed"
cd "$work"
"$player" -quiet prog.qmb > out.txt 2> err.txt &
pid=$!
wid=$(timeout 20 xdotool search --sync --name '^Quillmere event keys$' | head -1)
[ -n "$wid" ] || fail "no window with the program's title"
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
sleep 0.3
xdotool type --delay 50 ab
xdotool key Return
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not see three keys"
wait "$pid" || fail "the program failed"
pid=
printf 'OnKeyDown [a]\nOnKeyDown [b]\nOnKeyDown [\n]\n' | diff -u - out.txt || fail "other keys than typed"
exit 0
