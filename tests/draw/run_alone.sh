#!/usr/bin/env bash
# run_alone.sh PLAYER QMASM PROGRAM.qasm: runs the program as tests/programs/run_program.sh does,
# with a copy of the player in a folder of its own, where no plug-in lies beside it.
set -u
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$1" "$dir/quillmere" || exit 1
bash "$(dirname "$0")/../programs/run_program.sh" "$dir/quillmere" "$2" "$3"
