#!/usr/bin/env bash
# qmsound_render.sh QMSOUND MODGEN: `qmsound render` as outside tools see it. sox reads the raw
# output as signed 16-bit little-endian stereo at 48000 Hz and reports its length and levels.
set -u
qmsound=$1 modgen=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
"$modgen" level "$work/level.mod" && "$modgen" tones "$work/tones.mod" || exit 1

# stat_of FILE.mod SIDE FIELD: a field of sox's statistics of one side (1 left, 2 right) of 5 s.
stat_of() {
  "$qmsound" render "$1" --seconds 5 | sox -t raw -r 48000 -e signed -b 16 -c 2 - -n remix "$2" stat 2>&1 |
    sed -n "s/^$3: *//p"
}
expect() {
  if [ "$2" != "$3" ]; then echo "$1: [$2], want [$3]"; fail=1; fi
}

# The constant of the first channel: 100 x 63 x 255 / 128 = 12550 on the right, nothing on the left.
expect "level: length" "$(stat_of "$work/level.mod" 2 'Length (seconds)')" "5.000000"
expect "level: right maximum" "$(stat_of "$work/level.mod" 2 'Maximum amplitude')" "0.382996"
expect "level: right RMS" "$(stat_of "$work/level.mod" 2 'RMS     amplitude')" "0.382996"
expect "level: left maximum" "$(stat_of "$work/level.mod" 1 'Maximum amplitude')" "0.000000"

# The tune sounds on both sides and never reaches full scale.
for side in 1 2; do
  rms=$(stat_of "$work/tones.mod" $side 'RMS     amplitude')
  max=$(stat_of "$work/tones.mod" $side 'Maximum amplitude')
  awk -v r="$rms" -v m="$max" 'BEGIN { exit !(r > 0.05 && r < 0.5 && m < 0.99) }' ||
    { echo "tones side $side: RMS $rms, maximum $max"; fail=1; }
done

# Refusals: no module, a bad duration, a missing file.
head -c 3000 /dev/urandom > "$work/noise.bin"
"$qmsound" render "$work/noise.bin" --seconds 1 > /dev/null 2>&1
expect "noise" $? 1
"$qmsound" render "$work/level.mod" --seconds -1 > /dev/null 2>&1
expect "negative seconds" $? 2
"$qmsound" render "$work/missing.mod" --seconds 1 > /dev/null 2>&1
expect "missing file" $? 1
exit $fail
