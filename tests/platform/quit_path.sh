#!/usr/bin/env bash
# quit_path.sh PLAYER QMASM DIR: the real player and the ways a program is told to end: a quit
# event from the input script, the window's close request and Control+C, SIGTERM and SIGINT, a quit during a long Wait; and a listing run
# with no display server at all.
set -u
player=$1 qmasm=$2 dir=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
for p in loop_forever long_wait; do
  "$qmasm" "$dir/$p.qasm" -o "$work/$p.qmb" || { echo "assembling $p failed"; exit 1; }
done

# expect NAME STATUS WANT_STATUS OUTPUT WANT_OUTPUT
expect() {
  if [ "$2" != "$3" ] || [ "$4" != "$5" ]; then
    echo "$1: status $2 (want $3), output [$4] (want [$5])"; fail=1
  fi
}

# The scripts count their time from the program's first look at its events (right after it
# printed "start"): a quit that came during a slow start-up would end the player before the
# program's first line.
# The input script's quit reaches the quit path of a program that never waits.
printf 'at 0 wait events\nat 300 quit\n' > "$work/quit.events"
out=$(cd "$work" && QM_EVENT_SCRIPT="$work/quit.events" timeout 20 "$player" -quiet loop_forever.qmb)
expect "scripted quit" $? 0 "$out" "start"

# The window's close box and Control+C end a program that installed no closewindow handler and
# left CtrlCQuit on.
printf 'at 0 wait events\nat 300 close 1\n' > "$work/close.events"
printf 'at 0 wait events\nat 300 key down ctrl\nkey down c\n' > "$work/ctrlc.events"
for e in close ctrlc; do
  out=$(cd "$work" && QM_EVENT_SCRIPT="$work/$e.events" timeout 20 "$player" -quiet loop_forever.qmb)
  expect "$e" $? 0 "$out" "start"
done

# A quit during a long wait ends the wait at once with a user abort.
start=$(date +%s)
out=$(cd "$work" && QM_EVENT_SCRIPT="$work/quit.events" timeout 20 "$player" -quiet long_wait.qmb)
expect "quit during Wait" $? 0 "$out" "start"
[ $(( $(date +%s) - start )) -lt 10 ] || { echo "the wait was not cut short"; fail=1; }

# SIGTERM and SIGINT take the same path.
for sig in TERM INT; do
  (cd "$work" && exec "$player" -quiet loop_forever.qmb > "$work/out.$sig") &
  pid=$!
  for _ in $(seq 200); do grep -q start "$work/out.$sig" 2>/dev/null && break; sleep 0.05; done
  sleep 20 > /dev/null &
  sleeper=$!
  kill -"$sig" "$pid"
  wait -n -p first "$pid" "$sleeper"
  status=$?
  if [ "$first" = "$sleeper" ]; then kill -KILL "$pid"; status=timeout; else kill "$sleeper"; fi
  expect "SIG$sig" $status 0 "$(cat "$work/out.$sig")" "start"
done

# A listing needs no display server.
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$player" -EXPORTCOMMANDS cmds.txt > /dev/null)
expect "listing without a display" $? 0 "$(grep -c '^Wait$' "$work/cmds.txt")" 1

exit $fail
