#!/usr/bin/env bash
# run_program.sh PLAYER QMASM PROGRAM.qasm: assembles the program, runs it with the player and
# compares standard output and exit status with PROGRAM.out and PROGRAM.status. PROGRAM.setup
# (when there is one) runs first in the program's scratch folder, to lay out files there;
# PROGRAM.check runs there afterwards and fails the test by its exit status, to judge the files
# the program left on disk. Both are bash scripts and see the program's folder as $src_dir and the
# build folder as $build_dir.
set -u
player=$1 qmasm=$2 src=$(realpath "$3")
base=${src%.qasm}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export src_dir=$(cd "$(dirname "$src")" && pwd)
# The build folder, where .check scripts find the test tools (tests/tools/).
export build_dir=$(cd "$(dirname "$player")" && pwd)
"$qmasm" "$src" -o "$work/prog.qmb" || { echo "assembling $src failed"; exit 1; }
if [ -f "$base.setup" ]; then
  (cd "$work" && bash "$base.setup") || { echo "setup failed"; exit 1; }
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
