#!/usr/bin/env bash
# x11_effects.sh PLAYER QMASM PROGRAM: on an X server with a window manager, what the X server shows
# of the window equals the program's SNAPWINDOW and SNAPDISPLAY after the last frame of a stripe effect and of a
# layer effect (before either ends) and after two frames of BARS, so every band the effects drew was presented.
set -u
. "$(dirname "$0")/../platform/windows/x11_program.sh"
x11_program "$1" "$2" "$3" 'Quillmere FX'
for step in one bars two; do
  for _ in $(seq 200); do [ -s $step.bmp ] && break; sleep 0.1; done
  [ -s $step.bmp ] || fail "the program saved no $step.bmp"
  convert $step.bmp -depth 8 ppm:- | pamtopnm > snap.ppm
  convert ${step}_display.bmp -depth 8 ppm:- | pamtopnm > display.ppm
  # The presented frames reach the X server a little later, on a busy machine much later: grabs
  # until the window shows them, for a few seconds.
  for _ in $(seq 30); do
    sleep 0.2
    xwd -silent -id "$wid" | convert xwd:- -depth 8 ppm:- | pamtopnm > shown.ppm || fail "xwd failed"
    cmp -s shown.ppm snap.ppm && cmp -s shown.ppm display.ppm && break
  done
  cmp -s shown.ppm snap.ppm || fail "after the $step effect the X server shows other pixels than SNAPWINDOW"
  cmp -s shown.ppm display.ppm || fail "after the $step effect the window shows other pixels than the display holds"
  touch go_$step
done
wait "$pid" || fail "the player failed"
pid=
exit 0
