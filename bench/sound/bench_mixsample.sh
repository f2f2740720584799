#!/usr/bin/env bash
# bench_mixsample: a player program that loads eight 60 s 16-bit stereo WAVEs, mixes them with
# MixSample and saves the result, against `sox -D -m` mixing the same files at unit volume into a
# WAVE; hyperfine's mean of 5 runs each, in one run. Prints both times and ours over sox's.
set -euo pipefail
player=${QUILLMERE:-@QUILLMERE@}
qmasm=${QMASM:-@QMASM@}
here=${BENCH_DIR:-@BENCH_DIR@}
work=$(mktemp -d /tmp/bench_mixsample.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
"$qmasm" "$here/mix_eight.qasm" -o mix.qmb
peer_args=()
for i in 1 2 3 4 5 6 7 8; do
  sox -n -r 44100 -b 16 -c 2 "in$i.wav" synth 60 sine $((200 * i)) sine $((300 * i + 50)) vol 0.1
  peer_args+=(-v 1 "in$i.wav")
done
hyperfine --style none --runs 5 --warmup 1 --export-json times.json \
  "$player -quiet mix.qmb" "sox -D -m ${peer_args[*]} peer.wav" > /dev/null 2>&1
python3 - <<'PY'
import json
ours, peer = (r["mean"] for r in json.load(open("times.json"))["results"])
print(f"MixSample of eight 60 s WAVEs, saved: ours {ours:.3f} s, sox {peer:.3f} s, "
      f"ratio {ours / peer:.2f} (goal <= 1.00)")
PY
