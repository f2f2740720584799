# Sourced by the x11 event tests: x11_program PLAYER QMASM PROGRAM TITLE assembles the program,
# starts the player on it in a scratch folder (standard output in out.txt, standard error in
# err.txt, the folder current) and waits for its window by title. Sets $work, $pid and $wid;
# fail MESSAGE ends the test with the program's output; the player and the folder go at exit.
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "$1"; cat "$work/out.txt" "$work/err.txt" 2>/dev/null; exit 1; }
x11_program() {
  local player=$1 qmasm=$2 src
  src=$(realpath "$3")
  "$qmasm" "$src" -o "$work/prog.qmb" || fail "assembling $src failed"
  cd "$work" || fail "no scratch folder"
  "$player" -quiet prog.qmb > out.txt 2> err.txt &
  pid=$!
  wid=$(timeout 20 xdotool search --sync --name "^$4\$" | head -1)
  [ -n "$wid" ] || fail "no window with the program's title"
}
# Waits up to ten seconds for the program to end by itself; fails when it does not, or fails.
x11_program_ends() {
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "$1"
  wait "$pid" || fail "the program failed"
  pid=
}
