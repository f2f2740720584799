# Sourced by the scripts that run the player on an X server (under run_x11_test.sh: Xvfb with a
# window manager).
#   x11_scratch: a scratch folder ($work); at exit the player ($pid) and a window manager started
#     by the script ($wm) are stopped and the folder removed. fail MESSAGE ends the test with the
#     program's output.
#   x11_assemble QMASM PROGRAM: the program as prog.qmb in the scratch folder, which becomes current.
#   x11_start PLAYER [OPTIONS...]: the player on it in the background, standard output in out.txt,
#     standard error in err.txt; sets $pid.
#   x11_window TITLE: waits for a window of that exact title; sets $wid.
#   x11_program PLAYER QMASM PROGRAM TITLE: all four in a row.
#   x11_program_ends MESSAGE: waits for the player to end by itself and succeed, else fails.
#   x11_wait_wm: waits until a window manager has taken the root window.
x11_scratch() {
  work=$(mktemp -d)
  pid=
  wm=
  # A player stuck in a message box no longer hears SIGTERM: it gets SIGKILL a moment later.
  trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null && sleep 0.2 && kill -9 "$pid" 2>/dev/null
        [ -n "$wm" ] && kill "$wm" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
}
fail() { echo "$1"; cat "$work/out.txt" "$work/err.txt" 2>/dev/null; exit 1; }
x11_assemble() {
  "$1" "$2" -o "$work/prog.qmb" || fail "assembling $2 failed"
  cd "$work" || fail "no scratch folder"
}
x11_start() {
  local player=$1
  shift
  "$player" -quiet "$@" prog.qmb > out.txt 2> err.txt &
  pid=$!
}
x11_window() {
  wid=$(timeout 20 xdotool search --sync --name "^$1\$" | head -1)
  [ -n "$wid" ] || fail "no window with the title $1"
}
x11_program() {
  x11_scratch
  x11_assemble "$2" "$3"
  x11_start "$1"
  x11_window "$4"
}
x11_program_ends() {
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "$1"
  wait "$pid" || fail "the program failed"
  pid=
}
x11_wait_wm() {
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
    sleep 0.1
  done
  return 0
}
