#!/usr/bin/env bash
# first_display_x11.sh PLAYER QMASM PROGRAM: on an X server, the program's first display opens as a
# real window of its declared size and title, and what the X server shows of it equals the
# program's own SNAPWINDOW.
set -u
. "$(dirname "$0")/../platform/windows/x11_program.sh"
x11_scratch
x11_assemble "$2" "$3"
QM_TEST_SNAPSHOT=$work/snap.png x11_start "$1"
for _ in $(seq 100); do [ -s snap.png ] && break; sleep 0.1; done
[ -s snap.png ] || fail "the program saved no snapshot"
x11_window 'Quillmere X11 display'
geometry=$(xwininfo -id "$wid" | awk '/ Width:/ {w = $2} / Height:/ {h = $2} END {print w "x" h}')
[ "$geometry" = 320x200 ] || fail "the window is $geometry, declared 320x200"
pngtopam snap.png | pamtopnm > snap.ppm
# The frames presented since the snapshot reach the X server a little later, on a busy machine
# much later: grabs until the window shows them, for a few seconds.
for _ in $(seq 30); do
  sleep 0.2
  xwd -silent -id "$wid" | convert xwd:- -depth 8 ppm:- | pamtopnm > shown.ppm || fail "xwd failed"
  cmp -s shown.ppm snap.ppm && break
done
cmp -s shown.ppm snap.ppm || fail "the X server shows other pixels than SNAPWINDOW"
exit 0
