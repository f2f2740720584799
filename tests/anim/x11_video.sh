#!/usr/bin/env bash
# x11_video.sh PLAYER QMASM PROGRAM: on an X server with a window manager, the window of a program
# that plays a video at (40, 30) shows one of the movie's frames, exactly, in that rectangle, and
# the display's picture around it.
set -u
. "$(dirname "$0")/../platform/windows/x11_program.sh"
x11_scratch
x11_assemble "$2" "$3"
ffmpeg -v error -f lavfi -i testsrc=duration=3:size=160x120:rate=25 -c:v mpeg4 v.mp4 || fail "ffmpeg failed"
ffmpeg -v error -i v.mp4 -f image2 frame%03d.png || fail "ffmpeg failed"
x11_start "$1"
x11_window 'Quillmere Video'
best=
# A grab may catch the window between two frames: a few tries.
for _ in $(seq 20); do
  sleep 0.2
  xwd -silent -id "$wid" | convert xwd:- shown.png || fail "xwd failed"
  convert shown.png -crop 160x120+40+30 +repage rect.png
  best=$(for f in frame*.png; do compare -metric AE rect.png "$f" null: 2>&1; echo; done | sort -n | head -1)
  [ "$best" = 0 ] && break
done
[ "$best" = 0 ] || fail "the video's rectangle shows no frame of the movie ($best pixels differ at best)"
for p in "10 10" "220 100" "100 170"; do
  set -- $p
  c=$(convert shown.png -format "%[hex:u.p{$1,$2}]" info:)
  case "$c" in 3060A0*) ;; *) fail "at $1,$2 the window shows $c, not the picture" ;; esac
done
touch done
wait "$pid" || fail "the player failed"
pid=
exit 0
