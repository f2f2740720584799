#!/usr/bin/env bash
# headless.sh PLAYER APPLET NAME: runs a bundled example offscreen on a clock that never sleeps, to
# its own end, with a snapshot of its window and its sound written by SDL's disk driver; then
# outside tools judge what it showed and played.
set -u
player=$1 applet=$2 name=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$name: $1"; cat "$work/err.txt" 2>/dev/null; exit 1; }

cd "$work" || exit 1
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/out.raw" QM_FAKE_CLOCK=1 QM_EXAMPLE_SNAPSHOT="$work/snap.png" \
  timeout 120 "$player" -quiet "$applet" > out.txt 2> err.txt || fail "ended with status $?"
[ -s snap.png ] || fail "saved no snapshot"
[ "$(identify -format '%wx%h' snap.png)" = 640x480 ] || fail "a snapshot of $(identify -format '%wx%h' snap.png)"

# colour X Y: the snapshot's pixel as "R G B" in 0..255.
colour() { convert snap.png -crop "1x1+$1+$2" -depth 8 -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:; }
# brightest X Y W H: the highest intensity (0..255) in a rectangle of the snapshot.
brightest() { convert snap.png -crop "$3x$4+$1+$2" -format '%[fx:int(255*maxima.intensity)]' info:; }
# loudest: the peak of what the sound device played, in 0..1.
loudest() {
  [ -s out.raw ] || { echo 0; return; }
  sox -t raw -r 48000 -e signed -b 16 -c 2 out.raw -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}'
}

case $name in
  example)
    # The snapshot comes after the transition: the warm picture, its title in white, the chime heard.
    read -r r g b <<< "$(colour 5 470)"
    [ "$r" -gt 200 ] && [ "$b" -lt 120 ] || fail "the bottom corner is $r $g $b, not the warm picture"
    [ "$(brightest 170 40 300 50)" -gt 240 ] || fail "no white title"
    awk "BEGIN {exit !($(loudest) > 0.2)}" || fail "the chime was not heard (peak $(loudest))"
    ;;
  anim)
    # Three turning stars shown by the anim's layers (each about 3500 pixels of its gold), and the
    # module heard.
    gold=$(convert snap.png -fuzz 6% +transparent '#FFC830' -alpha extract -format '%[fx:int(mean*w*h)]' info:)
    [ "$gold" -gt 8000 ] && [ "$gold" -lt 13000 ] || fail "$gold pixels of the stars' gold, not three stars"
    awk "BEGIN {exit !($(loudest) > 0.1)}" || fail "the module was not heard (peak $(loudest))"
    ;;
  net)
    # The last line of the exchange, shown once all three echoes came back.
    [ "$(brightest 40 414 300 18)" -gt 240 ] || fail "the exchange did not finish"
    ;;
esac
exit 0
