#!/usr/bin/env bash
# x11_keys.sh PLAYER DIR NAME...: each bundled example DIR/NAME.qma opens its window on a real X
# server and ends soon after a key, long before it would end by itself.
set -u
player=$1 dir=$2
shift 2
. "$(dirname "$0")/../platform/windows/x11_program.sh"
x11_scratch
fail() { echo "$name: $1"; cat "$work/err.txt" 2>/dev/null; exit 1; }
cd "$work" || exit 1
for name in "$@"; do
  "$player" -quiet "$dir/$name.qma" > out.txt 2> err.txt &
  pid=$!
  wid=$(timeout 20 xdotool search --sync --name '^Quillmere' | head -1)
  [ -n "$wid" ] || fail "no window"
  xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
  sleep 0.5
  xdotool key space
  for _ in $(seq 25); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "still running 2.5 seconds after a key"
  wait "$pid" || fail "ended with status $?"
  pid=
done
exit 0
