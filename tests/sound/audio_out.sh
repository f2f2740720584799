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

# played NAME COMMAND...: runs a play until its output holds what it should (the test NAME), at
# most three times. The mixer gives up a buffer to silence rather than wait for a channel lock
# whose holder the system has descheduled, so on a heavily loaded machine one run can have a gap.
played() {
  local name=$1
  shift
  for _ in 1 2 3; do
    "$@"
    if eval "$name"; then return 0; fi
  done
  return 1
}

# A 48 kHz 16-bit stereo sample at volume 64, centred, leaves the mixer unchanged; so does a stream.
sox -n -r 48000 -b 16 -c 2 -e signed "$work/noise.wav" synth 0.75 whitenoise vol 0.5
data_of "$work/noise.wav" "$work/noise.raw"
play_sample() {
  SDL_DISKAUDIODELAY=0 SDL_DISKAUDIOFILE="$work/sample.raw" "$qmsound" play "$work/noise.wav" > "$work/sample.events"
}
played 'contains "$work/sample.raw" "$work/noise.raw"' play_sample
check "sample: not bit-exact in the device's output" 'contains "$work/sample.raw" "$work/noise.raw"'
check "sample: events [$(cat "$work/sample.events")]" '[ "$(cat "$work/sample.events")" = "OnSampleLoop id 1 time 0 count 1
OnSampleEnd id 1 time 750 count 1" ]'
play_stream() {
  SDL_DISKAUDIODELAY=0 SDL_DISKAUDIOFILE="$work/stream.raw" "$qmsound" play --stream "$work/noise.wav" --times 3 \
    > "$work/stream.events"
}
cat "$work/noise.raw" "$work/noise.raw" "$work/noise.raw" > "$work/noise3.raw"
played 'contains "$work/stream.raw" "$work/noise3.raw"' play_stream
check "stream: not bit-exact in the device's output" 'contains "$work/stream.raw" "$work/noise3.raw"'
check "stream: events [$(cat "$work/stream.events")]" '[ "$(cat "$work/stream.events")" = "OnMusicEnd id 1 time 0 count 0" ]'

# A module sounds as qmsound render renders it (the device at its own pace for two seconds).
"$modgen" tones "$work/tones.mod" || exit 1
"$qmsound" render "$work/tones.mod" --seconds 1.5 > "$work/tones.raw"
play_module() {
  SDL_DISKAUDIOFILE="$work/module.raw" "$qmsound" play "$work/tones.mod" --time 2000 > "$work/module.events"
}
played 'contains "$work/module.raw" "$work/tones.raw"' play_module
check "module: not what qmsound render gives" 'contains "$work/module.raw" "$work/tones.raw"'

# A 22050 Hz sine resampled to 48000 Hz keeps its level and frequency.
sox -n -r 22050 -b 16 -c 1 -e signed "$work/sine.wav" synth 1 sine 1000 vol 0.5
field() { sed -n "s/^$1: *//p"; }
in_stat=$(sox "$work/sine.wav" -n stat 2>&1)
in_rms=$(echo "$in_stat" | field 'RMS     amplitude')
in_freq=$(echo "$in_stat" | field 'Rough   frequency')
# The part that sounded: from the first frame that is not silent, one second long, measured side
# by side.
play_sine() {
  SDL_DISKAUDIODELAY=0 SDL_DISKAUDIOFILE="$work/sine.raw" "$qmsound" play "$work/sine.wav" > /dev/null
  python3 - "$work/sine.raw" "$work/sounding.raw" <<'PY'
import sys
out = open(sys.argv[1], 'rb').read()
start = next(i for i in range(0, len(out), 4) if out[i:i + 4] != b'\0\0\0\0')
open(sys.argv[2], 'wb').write(out[start:start + 48000 * 4])
PY
  for side in 1 2; do
    local out
    out=$(sox -t raw -r 48000 -e signed -b 16 -c 2 "$work/sounding.raw" -n remix $side stat 2>&1)
    rms[$side]=$(echo "$out" | field 'RMS     amplitude')
    freq[$side]=$(echo "$out" | field 'Rough   frequency')
  done
}
within() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b * 0.99 && a < b * 1.01) }'; }
sine_kept() {
  within "${rms[1]}" "$in_rms" && within "${rms[2]}" "$in_rms" && within "${freq[1]}" "$in_freq" &&
    within "${freq[2]}" "$in_freq"
}
played sine_kept play_sine
for side in 1 2; do
  check "sine side $side: RMS ${rms[$side]} against $in_rms" "within ${rms[$side]} $in_rms"
  check "sine side $side: frequency ${freq[$side]} against $in_freq" "within ${freq[$side]} $in_freq"
done
exit $fail
