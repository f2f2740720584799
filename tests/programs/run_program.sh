#!/usr/bin/env bash
# run_program.sh PLAYER QMASM PROGRAM.qasm: assembles the program, runs it with the player and
# compares standard output and exit status with PROGRAM.out and PROGRAM.status. PROGRAM.setup
# (when there is one) runs first in the program's scratch folder, to lay out files there;
# PROGRAM.check runs there afterwards and fails the test by its exit status, to judge the files
# the program left on disk. Both are bash scripts and see the program's folder as $src_dir and the
# build folder as $build_dir. PROGRAM.server, a script for /usr/bin/python3 (Debian's, whose
# modules a python3 earlier on PATH may lack), runs in the scratch folder while the program does:
# it binds a loopback port of the kernel's choice and writes it to port.txt, which the program
# reads and PROGRAM.env sees as $QM_TEST_PORT. The server is stopped by its pid afterwards.
set -u
player=$1 qmasm=$2 src=$(realpath "$3")
base=${src%.qasm}
work=$(mktemp -d)
server_pid=
trap '[ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null; rm -rf "$work"' EXIT
export src_dir=$(cd "$(dirname "$src")" && pwd)
# The build folder, where .check scripts find the test tools (tests/tools/).
export build_dir=$(cd "$(dirname "$player")" && pwd)
"$qmasm" "$src" -o "$work/prog.qmb" || { echo "assembling $src failed"; exit 1; }
if [ -f "$base.setup" ]; then
  (cd "$work" && bash "$base.setup") || { echo "setup failed"; exit 1; }
fi
if [ -f "$base.server" ]; then
  (cd "$work" && exec /usr/bin/python3 "$base.server" > server.log 2>&1) &
  server_pid=$!
  for _ in $(seq 1 200); do [ -s "$work/port.txt" ] && break; sleep 0.05; done
  [ -s "$work/port.txt" ] || { echo "the server did not start"; cat "$work/server.log"; exit 1; }
  export QM_TEST_PORT=$(cat "$work/port.txt")
fi
args=()
[ -f "$base.args" ] && read -r -a args < "$base.args"
(cd "$work" && if [ -f "$base.env" ]; then set -a; . "$base.env"; set +a; fi
 "$player" -quiet "${args[@]}" prog.qmb > out.txt 2> err.txt)
status=$?
want_status=0
[ -f "$base.status" ] && want_status=$(cat "$base.status")
# PROGRAM.filter (sed expressions) masks what differs from run to run, such as addresses.
[ -f "$base.filter" ] && sed -E -i -f "$base.filter" "$work/out.txt"
ok=1
if ! diff -u "$base.out" "$work/out.txt"; then ok=0; fi
if [ "$status" != "$want_status" ]; then
  echo "exit status $status, expected $want_status"; ok=0
fi
if [ -f "$base.check" ] && ! (cd "$work" && bash "$base.check"); then
  echo "check of the files on disk failed"; ok=0
fi
if [ $ok -eq 0 ]; then echo "--- stderr:"; cat "$work/err.txt"; exit 1; fi
exit 0
