#!/usr/bin/env bash
# window_destroyed_x11.sh PLAYER QMASM PROGRAM DESTROY: once the program has opened the sound
# output, a window that another client destroys still ends the player as a close request does
# (status 0, no X error): starting the sound must not cost the watch over destroyed windows.
set -u
. "$(dirname "$0")/../platform/windows/x11_program.sh"
destroy=$4
x11_scratch
x11_assemble "$2" "$3"
SDL_AUDIODRIVER=dummy x11_start "$1"
wid=$(timeout 10 xdotool search --sync --onlyvisible --pid "$pid" | head -1)
[ -n "$wid" ] || fail "no window"
for _ in $(seq 100); do grep -q "^sound true" out.txt && break; sleep 0.1; done
grep -q "^sound true" out.txt || fail "the sound output did not open"
"$destroy" "$wid" || fail "the window could not be destroyed"
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the player runs on without its window"
wait "$pid" || fail "the player ended with status $?"
pid=
grep -q "X Error" err.txt && fail "an X error"
exit 0
