#!/usr/bin/env bash
# run_program.sh PLAYER QMASM PROGRAM.qasm: assembles the program, runs it with the player and
# compares standard output and exit status with PROGRAM.out and PROGRAM.status.
set -u
player=$1 qmasm=$2 src=$3
base=${src%.qasm}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$qmasm" "$src" -o "$work/prog.qmb" || { echo "assembling $src failed"; exit 1; }
(cd "$work" && "$player" -quiet prog.qmb > out.txt 2> err.txt)
status=$?
want_status=0
[ -f "$base.status" ] && want_status=$(cat "$base.status")
ok=1
if ! diff -u "$base.out" "$work/out.txt"; then ok=0; fi
if [ "$status" != "$want_status" ]; then
  echo "exit status $status, expected $want_status"; ok=0
fi
if [ $ok -eq 0 ]; then echo "--- stderr:"; cat "$work/err.txt"; exit 1; fi
exit 0
