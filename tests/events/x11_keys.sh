#!/usr/bin/env bash
# x11_keys.sh PLAYER QMASM PROGRAM: on an X server, xdotool types into the program's real window
# and the program's key callbacks see the keys in order, with Return as a line feed.
set -u
. "$(dirname "$0")/../platform/windows/x11_program.sh"
x11_program "$1" "$2" "$3" 'Quillmere event keys'
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
sleep 0.3
xdotool type --delay 50 ab
xdotool key Return
x11_program_ends "the program did not see three keys"
printf 'OnKeyDown [a]\nOnKeyDown [b]\nOnKeyDown [\n]\n' | diff -u - out.txt || fail "other keys than typed"
exit 0
