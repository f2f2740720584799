#!/usr/bin/env bash
# sound_formats.sh QMSOUND SOUNDGEN: the sound driver's readers and WAVE writer as outside tools
# see them. sox and ffmpeg make the files and decode them; `qmsound decode` must give the same
# bytes, and the WAVE files it writes must be taken by soxi, ffprobe and sox.
set -u
qmsound=$1 soundgen=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail=0
say() { echo "$*"; fail=1; }

# same NAME FILE WANT: our decode of FILE equals the bytes of WANT.
same() {
  if ! "$qmsound" decode "$2" > ours.raw 2> ours.txt; then say "$1: qmsound failed: $(cat ours.txt)"; return; fi
  cmp -s ours.raw "$3" || say "$1: decode differs from the judge ($(wc -c < ours.raw) vs $(wc -c < "$3") bytes)"
}
# kind NAME FILE K: the codec kind qmsound reports.
kind() {
  local k
  k=$("$qmsound" decode "$2" 2>&1 > /dev/null | sed -n 's/^kind //p')
  [ "$k" = "$3" ] || say "$1: kind [$k], want [$3]"
}

# IFF 8SVX from sox, stereo and mono.
for c in 1 2; do
  sox -n -r 22050 -b 8 -e signed -c $c t$c.8svx synth 1 sine 440 sine 660
  sox t$c.8svx -t s8 judge.raw
  same "8svx $c channels" t$c.8svx judge.raw
  kind "8svx $c channels" t$c.8svx 1
done
# The same frames behind a 3-byte NAME chunk and its pad byte: sox reads it, and so must we.
sox t2.8svx -t s8 frames.raw
"$soundgen" iff 8SVX 22050 2 frames.raw odd.8svx abc || exit 1
sox odd.8svx -t s8 judge.raw
cmp -s judge.raw frames.raw || say "odd 8svx: sox does not read our fixture"
same "odd 8svx" odd.8svx frames.raw

# IFF 16SV, which no Debian tool writes: ours, validated by ffmpeg (big-endian values, as held).
sox -n -r 16000 -b 16 -e signed -B -c 2 -t raw be.raw synth 0.5 sine 300 sine 500
"$soundgen" iff 16SV 16000 2 be.raw t.16sv || exit 1
ffmpeg -v error -i t.16sv -f s16be -y judge.raw
cmp -s judge.raw be.raw || say "16sv: ffmpeg does not read our fixture"
same "16sv" t.16sv judge.raw
kind "16sv" t.16sv 2

# RIFF WAVE that the built-in reader takes: 8 and 16 bits, mono and stereo.
for c in 1 2; do
  for b in 8 16; do
    sox -n -r 11025 -b $b -c $c w$b-$c.wav synth 0.5 sine 440 sine 550
    sox w$b-$c.wav -t raw judge.raw
    same "wav $b bits $c channels" w$b-$c.wav judge.raw
    kind "wav $b bits $c channels" w$b-$c.wav 3
  done
done
# ... and that goes to FFmpeg: 24 bits, floats, six channels (WAVE_FORMAT_EXTENSIBLE), mixed down.
sox -n -r 22050 -b 24 -c 2 w24.wav synth 0.5 sine 440 sine 550
sox -n -r 22050 -e float -b 32 -c 2 wfloat.wav synth 0.5 sine 440 sine 300
sox -n -r 22050 -b 16 -c 6 w6.wav synth 0.5 sine 300 sine 400 sine 500 sine 600 sine 700 sine 800
for f in w24 wfloat w6; do
  ffmpeg -v error -i $f.wav -f s16le -ac 2 -y judge.raw
  same "$f" $f.wav judge.raw
  kind "$f" $f.wav 4
done

# The WAVE writer, on data sizes 3 (8-bit signed, written +128), 5 (8-bit unsigned, as it is)
# and 6 (16-bit big-endian, swapped).
sox -n -r 8000 -b 8 -e signed -c 1 -t s8 s8.raw synth 3s sine 100
"$soundgen" iff 8SVX 8000 1 s8.raw in3.8svx && sox in3.8svx -t u8 want3.raw
sox -n -r 8000 -b 8 -c 1 in5.wav synth 5s sine 100 && sox in5.wav -t u8 want5.raw
sox -n -r 8000 -b 16 -e signed -B -c 1 -t raw s16.raw synth 3s sine 100
"$soundgen" iff 16SV 8000 1 s16.raw in6.16sv && ffmpeg -v error -i in6.16sv -f s16le -y want6.raw
for n in 3 5 6; do
  in=$(ls in$n.*)
  "$qmsound" decode "$in" --wav out$n.wav 2> /dev/null || { say "writer $n: qmsound failed"; continue; }
  soxi out$n.wav > /dev/null 2>&1 || say "writer $n: soxi refuses the file"
  ffprobe -v error -show_streams out$n.wav 2> probe.txt | grep -q codec_type=audio || say "writer $n: ffprobe refuses the file: $(cat probe.txt)"
  [ ! -s probe.txt ] || say "writer $n: ffprobe complains: $(cat probe.txt)"
  sox out$n.wav -t raw got.raw
  cmp -s got.raw want$n.raw || say "writer $n: sox reads other bytes"
  [ $(( $(wc -c < out$n.wav) % 4 )) = 0 ] || say "writer $n: not padded to 4 bytes"
done

# A write that fails half-way (a file size limit in the child) leaves the old file as it was and
# no temporary file beside it.
mkdir keep && cp w16-2.wav keep/out.wav
sox -n -r 44100 -b 16 -c 2 big.wav synth 2 sine 440
if prlimit --fsize=100000 "$qmsound" decode big.wav --wav keep/out.wav 2> /dev/null; then
  say "limited write: reported success"
fi
cmp -s keep/out.wav w16-2.wav || say "limited write: the old file changed"
[ "$(ls -A keep)" = "out.wav" ] || say "limited write: left $(ls -A keep | tr '\n' ' ')"

exit $fail
