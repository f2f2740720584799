#!/usr/bin/env bash
# open_display_x11.sh PLAYER QMASM PROGRAM: on an X server with a window manager, a display that
# the program opens with OpenDisplay becomes the active window although it was made without the
# "active" option. The window manager is told not to focus new windows by itself, so that only
# the player's own request can make the window active.
set -u
. "$(dirname "$0")/../platform/windows/x11_program.sh"
x11_scratch
x11_assemble "$2" "$3"
cat > rc.xml <<'XML'
<?xml version="1.0"?>
<openbox_config xmlns="http://openbox.org/3.4/rc"><focus><focusNew>no</focusNew></focus></openbox_config>
XML
openbox --replace --config-file "$work/rc.xml" >/dev/null 2>&1 &
wm=$!
x11_wait_wm
sleep 0.3
x11_start "$1"
x11_window 'Quillmere second'
active=
for _ in $(seq 50); do
  active=$(xdotool getactivewindow getwindowname 2>/dev/null)
  [ "$active" = "Quillmere second" ] && exit 0
  sleep 0.1
done
fail "the active window is '$active', not the display that OpenDisplay opened"
