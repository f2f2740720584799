#!/usr/bin/env bash
# x11_inkeystr.sh PLAYER QMASM PROGRAM: on an X server, xdotool types into the program's real
# window while InKeyStr reads the keys: digits only, three at most, Return ends the input.
set -u
. "$(dirname "$0")/../platform/windows/x11_program.sh"
x11_program "$1" "$2" "$3" 'Quillmere text input'
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
sleep 0.3
xdotool type --delay 50 12a34
xdotool key Return
x11_program_ends "the input did not end"
echo '123 34 20 0' | diff -u - out.txt || fail "other text or cursor than typed"
exit 0
