#!/usr/bin/env bash
# x11_drawn_before_waits.sh PLAYER QMASM PROGRAM: on an X server, what a program draws right before
# it waits (a five-second Wait, then WaitLeftMouse) shows in the window while it waits, with no
# input arriving to wake the player.
set -u
. "$(dirname "$0")/../platform/windows/x11_program.sh"
x11_program "$1" "$2" "$3" 'Quillmere drawn before waits'
# The colour of the window's pixel (x, y), as the X server has it.
pixel() {
  xwd -silent -id "$wid" | convert xwd:- -depth 8 -crop "1x1+$1+$2" -format '%[hex:p{0,0}]' info:-
}
# The Wait lasts five seconds: its box must show before it ends (the end of a wait shows it anyway).
red=
for _ in $(seq 45); do
  grep -q '^waiting$' out.txt && break
  [ "$(pixel 20 20)" = FF0000 ] && { red=1; break; }
  sleep 0.1
done
[ -n "$red" ] || fail "the box drawn before Wait is not shown during the wait"
green=
for _ in $(seq 50); do
  grep -q '^waiting$' out.txt && [ "$(pixel 70 20)" = 00FF00 ] && { green=1; break; }
  sleep 0.1
done
[ -n "$green" ] || fail "the box drawn before WaitLeftMouse is not shown while it waits"
xdotool mousemove --window "$wid" 100 100 click 1
x11_program_ends "the program did not end on the click"
diff -u <(printf 'waiting\nclicked\n') out.txt || fail "other output than expected"
exit 0
