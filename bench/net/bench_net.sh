#!/usr/bin/env bash
# bench_net: 1 GB over loopback TCP, hyperfine's mean of 5 runs each. Receiving: the player takes
# ReceiveData RECEIVEBYTES in 1 MB pieces from `socat -u FILE:big TCP-LISTEN`, against socat
# reading from the same sender into /dev/null. Sending: the player's SendData of 1 MB pieces
# into a socat listener, against socat sending the file. Prints the throughput ratios (ours over
# socat's, goal >= 0.8), processor seconds per GB of both, and system calls per MB (strace -c).
set -euo pipefail
player=${QUILLMERE:-@QUILLMERE@}
qmasm=${QMASM:-@QMASM@}
here=${BENCH_DIR:-@BENCH_DIR@}
work=$(mktemp -d /tmp/bench_net.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
"$qmasm" "$here/recv.qasm" -o recv.qmb
"$qmasm" "$here/send.qasm" -o send.qmb
truncate -s 1G big
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
printf %s "$port" > port.txt
# A listener that serves one connection, started before each run and ready when the run begins.
listen() {
  local hex
  hex=$(printf %04X "$port")
  echo "setsid socat -u $1 >/dev/null 2>&1 & \
        for i in \$(seq 100); do grep -q ':$hex 00000000:0000 0A' /proc/net/tcp && break; sleep 0.02; done"
}
sender=$(listen "FILE:big TCP-LISTEN:$port,reuseaddr")
receiver=$(listen "TCP-LISTEN:$port,reuseaddr OPEN:/dev/null")

# compare LABEL PREPARE OURS PEER
compare() {
  hyperfine --style none --runs 5 --prepare "$2" --export-json times.json "$3" "$4" > /dev/null 2>&1
  python3 - "$1" <<'PY'
import json, sys
ours, peer = json.load(open("times.json"))["results"]
print(f"{sys.argv[1]}: ours {ours['mean']:.3f} s, socat {peer['mean']:.3f} s, "
      f"throughput ratio {peer['mean'] / ours['mean']:.2f} (goal >= 0.80, stretch 1.00)")
print(f"  processor seconds per GB: ours {ours['user'] + ours['system']:.2f}, "
      f"socat {peer['user'] + peer['system']:.2f}")
PY
}

calls_per_mb() {
  bash -c "$2"
  if ! strace -f -c -o strace.txt bash -c "$3" > /dev/null 2>&1; then
    echo "  $1: strace cannot trace here"
    return
  fi
  awk -v label="$1" '/total/ { printf "  %s: %.1f system calls per MB\n", label, $4 / 1024 }' strace.txt
}

compare "receive 1 GB" "$sender" "$player -quiet recv.qmb" "socat -u TCP:127.0.0.1:$port OPEN:/dev/null"
calls_per_mb "ours receiving" "$sender" "$player -quiet recv.qmb"
calls_per_mb "socat receiving" "$sender" "socat -u TCP:127.0.0.1:$port OPEN:/dev/null"
compare "send 1 GB" "$receiver" "$player -quiet send.qmb" "socat -u FILE:big TCP:127.0.0.1:$port"
calls_per_mb "ours sending" "$receiver" "$player -quiet send.qmb"
calls_per_mb "socat sending" "$receiver" "socat -u FILE:big TCP:127.0.0.1:$port"
