#!/usr/bin/env bash
# bench_sound: `qmsound decode` against sox and ffmpeg, hyperfine's mean of 5 runs each, on files
# made for the run: a 100 MB 16-bit stereo WAVE and a 50 MB stereo 8SVX against sox reading them,
# a 10-minute FLAC against ffmpeg's decoder on one thread (the same decoder: only our wrapper's
# cost shows), and the 100 MB WAVE saved again as WAVE against sox writing the same data. Prints
# each time and our time over the peer's, with the goal.
set -euo pipefail
qmsound=${QMSOUND:-@QMSOUND@}
work=$(mktemp -d /tmp/bench_sound.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"
sox -n -r 44100 -b 16 -c 2 big.wav synth 595 sine 440 sine 660
sox -n -r 44100 -b 8 -e signed -c 2 big.8svx synth 567 sine 440 sine 660
ffmpeg -v error -f lavfi -i anoisesrc=d=600:c=pink:r=44100:a=0.3 -ac 2 -y long.flac

# compare LABEL GOAL OURS PEER: both commands timed in one hyperfine run.
compare() {
  hyperfine --style none --runs 5 --warmup 1 --export-json times.json "$3" "$4" > /dev/null 2>&1
  python3 - "$1" "$2" <<'PY'
import json, sys
label, goal = sys.argv[1], float(sys.argv[2])
ours, peer = (r["mean"] for r in json.load(open("times.json"))["results"])
print(f"{label}: ours {ours:.3f} s, peer {peer:.3f} s, ratio {ours / peer:.2f} (goal <= {goal:.2f})")
PY
}

compare "WAVE 100 MB vs sox" 1.0 "$qmsound decode big.wav > /dev/null" "sox big.wav -t raw /dev/null"
compare "8SVX 50 MB vs sox" 1.0 "$qmsound decode big.8svx > /dev/null" "sox big.8svx -t raw /dev/null"
compare "FLAC 10 min vs ffmpeg" 1.05 "$qmsound decode long.flac > /dev/null" \
  "ffmpeg -threads 1 -v error -i long.flac -f s16le -y /dev/null"
compare "WAVE 100 MB written vs sox" 1.0 "$qmsound decode big.wav --wav ours.wav 2> /dev/null" \
  "sox big.wav peer.wav"
