#!/bin/sh
# Runs a test binary on a fresh Xvfb screen with a window manager, as a desktop would.
# Usage: run_x11_test.sh <test binary> [arguments...]
set -e
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  . "$0"
  openbox >/dev/null 2>&1 &
  wm=$!
  x11_wait_wm
  "$@"; status=$?
  kill $wm 2>/dev/null
  exit $status
' "$(dirname "$0")/x11_program.sh" "$@"
