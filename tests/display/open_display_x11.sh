#!/usr/bin/env bash
# open_display_x11.sh PLAYER QMASM PROGRAM: on an X server with a window manager, a display that
# the program opens with OpenDisplay becomes the active window although it was made without the
# "active" option. The window manager is told not to focus new windows by itself, so that only
# the player's own request can make the window active.
set -u
player=$1 qmasm=$2 src=$(realpath "$3")
work=$(mktemp -d)
pid=
wm=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; [ -n "$wm" ] && kill "$wm" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "$1"; [ -f "$work/err.txt" ] && cat "$work/err.txt"; exit 1; }
"$qmasm" "$src" -o "$work/prog.qma" || fail "assembling $src failed"
cd "$work"
cat > rc.xml <<'XML'
<?xml version="1.0"?>
<openbox_config xmlns="http://openbox.org/3.4/rc"><focus><focusNew>no</focusNew></focus></openbox_config>
XML
openbox --replace --config-file "$work/rc.xml" >/dev/null 2>&1 &
wm=$!
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done
sleep 0.3
"$player" -quiet prog.qma > out.txt 2> err.txt &
pid=$!
wid=$(timeout 10 xdotool search --sync --name '^Quillmere second$' | head -1)
[ -n "$wid" ] || fail "the second display never opened"
active=
for _ in $(seq 50); do
  active=$(xdotool getactivewindow getwindowname 2>/dev/null)
  [ "$active" = "Quillmere second" ] && exit 0
  sleep 0.1
done
fail "the active window is '$active', not the display that OpenDisplay opened"
