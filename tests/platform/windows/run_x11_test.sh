#!/bin/sh
# Runs a test binary on a fresh Xvfb screen with a window manager, as a desktop would.
# Usage: run_x11_test.sh <test binary> [arguments...]
set -e
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  # The window manager is ready once it has taken the root window.
  for i in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  "$@"; status=$?
  kill $wm 2>/dev/null
  exit $status
' sh "$@"
