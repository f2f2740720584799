#!/usr/bin/env python3
"""run_doc_examples.py PLAYER QMASM DOC.md...: every program in the documentation works as shown.

A program is a ```qasm block whose first line names it ("; NAME.qasm: ..."). The block after it
says what to expect: ```output holds what the player prints with `-quiet -DEBUGDEVICE stdout`
(an error report is one line there); ```qmasm holds what qmasm says when it refuses the program.
A program without either must run silently and end with status 0.
"""
import os
import re
import subprocess
import sys
import tempfile

FENCE = re.compile(r"^```(\w*)\n(.*?)^```\n", re.S | re.M)


def examples(path):
    text = open(path, encoding="utf-8").read()
    blocks = [(m.group(1), m.group(2)) for m in FENCE.finditer(text)]
    for i, (kind, body) in enumerate(blocks):
        if kind != "qasm":
            continue
        following = blocks[i + 1] if i + 1 < len(blocks) and blocks[i + 1][0] in ("output", "qmasm") else None
        yield body, following


def main():
    player, qmasm, docs = sys.argv[1], sys.argv[2], sys.argv[3:]
    failures = 0
    count = 0
    with tempfile.TemporaryDirectory() as work:
        for doc in docs:
            for body, expect in examples(doc):
                count += 1
                m = re.match(r";\s*([\w.-]+\.qasm)\b", body)
                if not m:
                    print(f"{doc}: a qasm block does not begin with '; NAME.qasm': {body.splitlines()[0]!r}")
                    failures += 1
                    continue
                name = m.group(1)
                src = os.path.join(work, name)
                with open(src, "w", encoding="latin-1") as f:
                    f.write(body)
                out = name[:-5] + ".qma"
                asm = subprocess.run([qmasm, name, "-o", out], cwd=work, capture_output=True, text=True)
                if expect and expect[0] == "qmasm":
                    if asm.returncode == 0 or asm.stderr != expect[1]:
                        print(f"{doc}: {name}: qmasm said {asm.stderr!r} (status {asm.returncode}), "
                              f"the documentation {expect[1]!r}")
                        failures += 1
                    continue
                if asm.returncode != 0:
                    print(f"{doc}: {name}: qmasm refused it: {asm.stderr}")
                    failures += 1
                    continue
                run = subprocess.run([player, "-quiet", "-debugdevice", "stdout", out], cwd=work,
                                     capture_output=True, text=True, timeout=60)
                want = expect[1] if expect else ""
                if run.stdout != want or (not expect and run.returncode != 0):
                    print(f"{doc}: {name}: the player printed {run.stdout!r} (status {run.returncode}), "
                          f"the documentation shows {want!r}\n{run.stderr}")
                    failures += 1
    if count == 0:
        print("no programs found in", docs)
        return 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
