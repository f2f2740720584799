#!/usr/bin/env bash
# audio_out.sh QMSOUND MODGEN: `qmsound play` through SDL's disk audio driver, judged by outside
# tools: the file the driver writes holds exactly what the mixer produced.
set -u
qmsound=$1 modgen=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
export SDL_AUDIODRIVER=disk
check() {
  if ! eval "$2"; then echo "$1"; fail=1; fi
}

# contains OUT.raw DATA: DATA's bytes appear whole at a frame boundary of OUT.raw (the start found
# by searching, past the silence the device played before the sound started).
contains() {
  python3 - "$1" "$2" <<'PY'
import sys
out = open(sys.argv[1], 'rb').read()
data = open(sys.argv[2], 'rb').read()
at = out.find(data)
while at >= 0 and at % 4:
    at = out.find(data, at + 1)
sys.exit(0 if at >= 0 and len(data) > 0 else 1)
PY
}
# data_of FILE.wav OUT: the sample data of a WAVE file that sox wrote.
data_of() { sox "$1" -t raw "$2"; }

# A 48 kHz 16-bit stereo sample at volume 64, centred, leaves the mixer unchanged; so does a stream.
sox -n -r 48000 -b 16 -c 2 -e signed "$work/noise.wav" synth 0.75 whitenoise vol 0.5
data_of "$work/noise.wav" "$work/noise.raw"
SDL_DISKAUDIODELAY=0 SDL_DISKAUDIOFILE="$work/sample.raw" "$qmsound" play "$work/noise.wav" > "$work/sample.events"
check "sample: not bit-exact in the device's output" 'contains "$work/sample.raw" "$work/noise.raw"'
check "sample: events [$(cat "$work/sample.events")]" '[ "$(cat "$work/sample.events")" = "OnSampleLoop id 1 time 0 count 1
OnSampleEnd id 1 time 750 count 1" ]'
SDL_DISKAUDIODELAY=0 SDL_DISKAUDIOFILE="$work/stream.raw" "$qmsound" play --stream "$work/noise.wav" --times 3 \
  > "$work/stream.events"
cat "$work/noise.raw" "$work/noise.raw" "$work/noise.raw" > "$work/noise3.raw"
check "stream: not bit-exact in the device's output" 'contains "$work/stream.raw" "$work/noise3.raw"'
check "stream: events [$(cat "$work/stream.events")]" '[ "$(cat "$work/stream.events")" = "OnMusicEnd id 1 time 0 count 0" ]'

# A module sounds as qmsound render renders it (the device at its own pace for two seconds).
"$modgen" tones "$work/tones.mod" || exit 1
"$qmsound" render "$work/tones.mod" --seconds 1.5 > "$work/tones.raw"
SDL_DISKAUDIOFILE="$work/module.raw" "$qmsound" play "$work/tones.mod" --time 2000 > "$work/module.events"
check "module: not what qmsound render gives" 'contains "$work/module.raw" "$work/tones.raw"'

# A 22050 Hz sine resampled to 48000 Hz keeps its level and frequency.
sox -n -r 22050 -b 16 -c 1 -e signed "$work/sine.wav" synth 1 sine 1000 vol 0.5
SDL_DISKAUDIODELAY=0 SDL_DISKAUDIOFILE="$work/sine.raw" "$qmsound" play "$work/sine.wav" > /dev/null
# The part that sounded: from the first frame that is not silent, one second long.
python3 - "$work/sine.raw" "$work/sounding.raw" <<'PY'
import sys
out = open(sys.argv[1], 'rb').read()
start = next(i for i in range(0, len(out), 4) if out[i:i + 4] != b'\0\0\0\0')
open(sys.argv[2], 'wb').write(out[start:start + 48000 * 4])
PY
field() { sed -n "s/^$1: *//p"; }
in_stat=$(sox "$work/sine.wav" -n stat 2>&1)
in_rms=$(echo "$in_stat" | field 'RMS     amplitude')
in_freq=$(echo "$in_stat" | field 'Rough   frequency')
for side in 1 2; do
  out=$(sox -t raw -r 48000 -e signed -b 16 -c 2 "$work/sounding.raw" -n remix $side stat 2>&1)
  rms=$(echo "$out" | field 'RMS     amplitude')
  freq=$(echo "$out" | field 'Rough   frequency')
  check "sine side $side: RMS $rms against $in_rms" "awk -v a=$rms -v b=$in_rms 'BEGIN { exit !(a > b * 0.99 && a < b * 1.01) }'"
  check "sine side $side: frequency $freq against $in_freq" "awk -v a=$freq -v b=$in_freq 'BEGIN { exit !(a > b * 0.99 && a < b * 1.01) }'"
done
exit $fail
