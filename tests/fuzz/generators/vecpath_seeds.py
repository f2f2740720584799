#!/usr/bin/env python3
"""Seeds for the vector-path fuzz target: runs of path commands in the byte form that
tests/fuzz/fuzz_vecpath.cpp decodes. Writes tests/fuzz/corpus/vecpath/."""
import os
import struct

COMMANDS = ["startpath", "freepath", "clearpath", "ispathempty", "moveto", "lineto", "relmoveto", "rellineto",
            "curveto", "relcurveto", "startsubpath", "closepath", "addarctopath", "addellipsetopath",
            "addcircletopath", "addboxtopath", "addtexttopath", "copypath", "appendpath", "translatepath",
            "normalizepath", "getpathextents", "getcurrentpoint", "setlinejoin", "setlinecap", "setfillrule",
            "setdash", "setlinewidth", "setfillstyle", "setformstyle", "setfont", "drawpath", "forcepathuse",
            "circle", "box", "ellipse", "arc"]
HOSTILE = [0.0, -0.0, 0.25, 2.5, -1.0, 1e9, -1e9, 2147483648.0, -2147483649.0, 1e300, "max", "denorm", "inf",
           "-inf", "nan", 360.0, -720.5, -0.75]


def num(v):
    """The bytes of one number: a whole one from -40 to 119, one of HOSTILE by name, or raw."""
    if isinstance(v, int) and -40 <= v < 120:
        return [v + 40]
    if v in HOSTILE:
        i = HOSTILE.index(v)
        return [160 + (i - 160 % 18) % 18]
    return [240] + list(struct.pack("<d", float(v)))


def cmd(name, *args, path=None, path2=None, text=None, encoding=None, corners=None, serif=False):
    out = [COMMANDS.index(name)]
    for p in (path, path2):
        if p is not None:
            out.append({1: 0, 2: 1, 3: 2, 0: 240, 99: 248}[p])
    if text is not None:
        out.append(len(text))
        out += list(text)
        if name == "setfont":
            out.append(0 if serif else 1)
        if name == "addtexttopath":
            out += [0, encoding] if encoding is not None else [200]
    for a in args:
        out += num(a)
    if name == "addboxtopath":
        if corners is None:
            out.append(200)
        else:
            out.append(0)
            for key in ("roundlevel", "cornera", "cornerd"):
                if key in corners:
                    out += [0] + num(corners[key])
                else:
                    out.append(1)
    return out


SEEDS = {
    # every operation in one stroked, dashed path; measured, moved, copied and drawn
    "paths": [cmd("startpath", path=1), cmd("moveto", 10, 10, path=1), cmd("lineto", 50, 20, path=1),
              cmd("rellineto", -5, 30, path=1), cmd("curveto", 10, 40, 20, 60, 40, 55, path=1),
              cmd("startsubpath", path=1), cmd("addarctopath", 30, 30, 10, 20, 0, 90, 0, path=1),
              cmd("addellipsetopath", 20, 20, 8, 4, path=1), cmd("addcircletopath", 40, 40, 6, path=1),
              cmd("addboxtopath", 5, 5, 20, 10, path=1, corners={"roundlevel": 50, "cornerd": 100}),
              cmd("closepath", path=1), cmd("setlinejoin", 1), cmd("setlinecap", 2), cmd("setdash", 2, 4, 2),
              cmd("setformstyle", 16), cmd("setlinewidth", 3), cmd("drawpath", 0, 0, 100, path=1),
              cmd("getpathextents", path=1), cmd("getcurrentpoint", path=1), cmd("translatepath", 3, -2, path=1),
              cmd("normalizepath", path=1), cmd("copypath", path=1, path2=2), cmd("appendpath", path=2, path2=1),
              cmd("setfillstyle", 1), cmd("setfillrule", 1), cmd("drawpath", 4, 4, 7, path=2)],
    # text in a path, filled, with a font chosen first; Latin-1 and UTF-8
    "text": [cmd("setfont", 12, text=b"", serif=False), cmd("startpath", path=3),
             cmd("addtexttopath", path=3, text=b"He\xe9lo"), cmd("addtexttopath", path=3, text=b"\xc3\xa9!", encoding=1),
             cmd("setfillstyle", 1), cmd("drawpath", 2, 30, 100, path=3), cmd("getcurrentpoint", path=3),
             cmd("setfont", 40, text=b"", serif=True), cmd("addtexttopath", path=3, text=b"W", encoding=3)],
    # numbers that break arithmetic in points, radii, dashes, moves and positions
    "hostile": [cmd("startpath", path=1), cmd("moveto", "nan", "inf", path=1), cmd("lineto", 1e300, 2, path=1),
                cmd("addcircletopath", 5, 5, "max", path=1), cmd("setdash", 0, "nan", 0),
                cmd("drawpath", "max", "-inf", 1, path=1), cmd("translatepath", "inf", 0, path=1),
                cmd("getpathextents", path=1), cmd("startpath", path=1), cmd("lineto", 1, 1, path=1),
                cmd("drawpath", 1e300, 1e300, 1, path=1), cmd("startpath", path=2),
                cmd("addboxtopath", -720.5, 0, 1e9, 4, path=2, corners={"cornera": 1e9}),
                cmd("drawpath", 0, 0, 1, path=2), cmd("setdash", 0, 0, 0), cmd("startpath", path=3),
                cmd("moveto", 1, 1, path=3), cmd("lineto", 30, 30, path=3), cmd("drawpath", 0, 0, 1, path=3),
                cmd("copypath", path=3, path2=3), cmd("appendpath", path=99, path2=3), cmd("freepath", path=0)],
    # shapes in path mode and then through the shape renderer
    "shapes": [cmd("forcepathuse", 1), cmd("setfillstyle", 1), cmd("circle", 30, 30, 20, 50),
               cmd("box", 2, 2, 40, 30, 9), cmd("ellipse", 32, 32, 20, 10, 3), cmd("arc", 32, 32, 25, 25, 0, 90, 5),
               cmd("setformstyle", 16), cmd("circle", 20, 20, 0.25, 1), cmd("forcepathuse", 0),
               cmd("circle", 30, 30, 20, 50)],
}

if __name__ == "__main__":
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "corpus", "vecpath")
    os.makedirs(folder, exist_ok=True)
    for name, commands in SEEDS.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(bytes(b for c in commands for b in c))
