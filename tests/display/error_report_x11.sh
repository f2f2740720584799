#!/usr/bin/env bash
# error_report_x11.sh PLAYER QMASM PROGRAM: on a desktop the error report shows in a message box
# and on standard error as well, where a user at the terminal sees it; closing the box ends the
# player with status 1.
set -u
. "$(dirname "$0")/../platform/windows/x11_program.sh"
x11_scratch
x11_assemble "$2" "$3"
x11_start "$1"
# The box names itself in a form xdotool's name search does not read: xwininfo finds it.
box=
for _ in $(seq 200); do
  box=$(xwininfo -root -tree | awk '/"QuillmerePlayer"/ {print $1; exit}')
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "no message box"
kill -0 "$pid" 2>/dev/null || fail "the player ended without waiting for the box"
grep -qxF 'QuillmerePlayer: Function nothing() not found!' err.txt || fail "the report is not on standard error"
grep -qxF 'File: x11_error_report.qasm (current line: 9)' err.txt || fail "the report names no line 9"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
xdotool key Return
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the box did not close"
wait "$pid"
status=$?
pid=
[ "$status" = 1 ] || fail "the player ended with status $status"
[ "$(cat out.txt)" = up ] || fail "the program printed other lines"
exit 0
