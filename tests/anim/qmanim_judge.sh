#!/bin/sh
# qmanim, the door through the real driver: its report and its PAM frames against ffmpeg and
# ImageMagick. $1 is qmanim, $2 animgen.
set -eu
qmanim=$1 animgen=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
ffmpeg -v error -f lavfi -i testsrc=size=64x48:rate=25 -t 1 -c:v rawvideo -pix_fmt bgr24 raw.avi
"$qmanim" --out raw raw.avi 0 24 > report
grep -qx "kind avi" report && grep -qx "size 64x48" report && grep -qx "frames 25" report
ffmpeg -v error -i raw.avi -vf "select=eq(n\,24)" -frames:v 1 -pix_fmt rgb24 ff24.ppm
test "$(compare -metric AE raw-24.pam ff24.ppm null: 2>&1)" = 0

"$animgen" a.anim 48 32 8 12
"$qmanim" --decode-all a.anim
"$qmanim" --out a a.anim 11 | grep -qx "frames 12"
ffmpeg -v error -i a.anim -vf "select=eq(n\,11)" -frames:v 1 -pix_fmt rgb24 ff11.ppm
test "$(compare -metric AE a-11.pam ff11.ppm null: 2>&1)" = 0

# Missing files, frames past the end and a full disk are reported, not crashed on.
! "$qmanim" missing.avi 2> err && grep -q "error 1045" err
! "$qmanim" --out raw raw.avi 25 2> err && grep -q "frame 25" err
! (ulimit -f 1; "$qmanim" --out big raw.avi 3) 2> err && grep -q "cannot be written" err
echo "qmanim judged"
