#!/usr/bin/env bash
# x11_mouse_border.sh PLAYER QMASM PROGRAM: on an X server, the window of a scaled picture with
# kept proportions is made wider than the picture; a click in the border strip just left of the
# picture gives MouseX -1 (not column 0), and one inside gives the picture's column.
set -u
. "$(dirname "$0")/../platform/windows/x11_program.sh"
x11_program "$1" "$2" "$3" 'Quillmere mouse border'
xdotool windowsize --sync "$wid" 256 96
for _ in $(seq 50); do grep -q "^size 256 96$" out.txt && break; sleep 0.1; done
grep -q "^size 256 96$" out.txt || fail "the program saw no resize to 256 x 96"
# Window point 63 is half a picture pixel left of the picture (which starts at 64, scaled by 2);
# window point 85 lies in the picture's column 10.
xdotool mousemove --window "$wid" 63 50 click 1
sleep 0.3
xdotool mousemove --window "$wid" 85 50 click 1
x11_program_ends "the program did not see two clicks"
grep -v "^size" out.txt | diff -u <(printf -- '-1 25\n10 25\n') - || fail "other mouse positions than clicked"
exit 0
