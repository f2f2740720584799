#!/usr/bin/env bash
# requesters_x11.sh PLAYER QMASM DIR: under a virtual X server, a person's answers to the real
# requesters: the message box's middle button clicked, a name typed into the dialog program's
# entry and confirmed with Return, and a list confirmed as it opened (its starting row chosen).
set -u
player=$1 dir=$3
. "$(dirname "$0")/windows/x11_program.sh"
x11_scratch
x11_assemble "$2" "$dir/x11_requesters.qasm"

# The id of the top-level window with that title (the message box's title is not one that
# xdotool's name search reads).
find_window() {
  for _ in $(seq 150); do
    w=$(xwininfo -root -tree | awk -v t="\"$1\":" '$2 " " $3 == t || $2 == t {print $1; exit}')
    [ -n "$w" ] && { echo "$w"; return 0; }
    sleep 0.2
  done
  return 1
}

timeout 60 "$player" -quiet prog.qmb > out.txt 2> err.txt &
pid=$!

# Three buttons in one row at the bottom of the box: the middle one sits at the middle.
w=$(find_window "Pick one") || fail "no message box"
eval "$(xdotool getwindowgeometry --shell "$w")"
xdotool mousemove --window "$w" $((WIDTH / 2)) $((HEIGHT - 39)) click 1

w=$(find_window "Your name") || fail "no string requester"
sleep 1
xdotool windowactivate --sync "$w" 2>/dev/null
xdotool windowfocus --sync "$w"
xdotool key --window "$w" ctrl+a
xdotool type --window "$w" --delay 20 "Ada"
xdotool key --window "$w" Return

# OK sits in the bottom right corner of the list dialog.
w=$(find_window "Which row") || fail "no list requester"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$w")"
xdotool mousemove --window "$w" $((WIDTH - 45)) $((HEIGHT - 24)) click 1

wait $pid
status=$?
pid=
out=$(cat "$work/out.txt")
[ "$status" = 0 ] || fail "player status $status"
[ "$out" = $'2\nAda 1\n2' ] || fail "output [$out]"
exit 0
