#!/usr/bin/env python3
# tune.py OUT.mod: writes the anim example's music, a four-channel "M.K." module of eight bars
# (C, A minor, F, G, twice) with a square bass, a sine arpeggio, a soft sine melody and a noise
# drum, so that the example needs no outside file.
import math
import sys

# Periods of C-1 .. B-3 at finetune 0.
PERIODS = [856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
           428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
           214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113]
NOTE = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def period(name):
    return PERIODS[12 * (int(name[-1]) - 1) + NOTE[name[0]] + (1 if "#" in name else 0)]


def sine(length, wavelength, amplitude):
    return [round(amplitude * math.sin(2 * math.pi * i / wavelength)) for i in range(length)]


def square(length, wavelength, amplitude):
    return [amplitude if i % wavelength < wavelength // 2 else -amplitude for i in range(length)]


def noise(length, amplitude):
    out, x = [], 12345
    for i in range(length):
        x = (x * 1103515245 + 12345) & 0x7FFFFFFF
        out.append(round(((x >> 16) % 256 - 128) * amplitude / 128 * (1 - i / length) ** 3))
    return out


# Samples 1..4: looping square bass, looping sine arpeggio, looping sine melody, one-shot drum.
SAMPLES = [(square(64, 64, 40), 48, True), (sine(32, 32, 90), 36, True),
           (sine(32, 32, 100), 40, True), (noise(2400, 100), 48, False)]
CHORDS = [("C2", ["C3", "E3", "G3", "E3"]), ("A1", ["A2", "C3", "E3", "C3"]),
          ("F1", ["F2", "A2", "C3", "A2"]), ("G1", ["G2", "B2", "D3", "B2"])]
MELODY = [["E3", None, "G3", None, "C3", None, None, None],
          ["C3", None, "E3", None, "A2", None, None, None],
          ["A2", None, "C3", None, "F2", None, "A2", None],
          ["B2", None, "D3", None, "G2", None, None, None]]


def cell(note=None, sample=0, effect=0, param=0):
    p = period(note) if note else 0
    return bytes([(sample & 0xF0) | (p >> 8), p & 0xFF, ((sample & 15) << 4) | effect, param])


def pattern():
    rows = []
    for row in range(64):
        bass, arpeggio = CHORDS[row // 16]
        step = row % 16
        rows.append(cell(bass, 1) if step in (0, 6, 8) else cell())
        rows.append(cell(arpeggio[step % 4], 2, 0xC, 24) if step % 2 == 0 else cell())
        tune = MELODY[row // 16][step // 2] if step % 2 == 0 else None
        rows.append(cell(tune, 3, 0xC, 40) if tune else cell())
        rows.append(cell("C3", 4, 0xC, 48 if step % 8 == 0 else 20) if step % 4 == 0 else cell())
    return b"".join(rows)


def module():
    head = bytearray(b"quillmere tune".ljust(20, b"\0"))
    for i in range(31):
        name = bytearray(22)
        if i < len(SAMPLES):
            data, volume, loop = SAMPLES[i]
            words = len(data) // 2
            name[:len(f"sample {i + 1}")] = f"sample {i + 1}".encode()
            head += name + bytes([words >> 8, words & 0xFF, 0, volume, 0, 0])
            head += bytes([words >> 8, words & 0xFF]) if loop else b"\0\1"
        else:
            head += name + b"\0\0\0\0\0\0\0\1"
    order = bytes([0, 0]).ljust(128, b"\0")
    head += bytes([2, 127]) + order + b"M.K."
    samples = b"".join(bytes(v & 0xFF for v in data) for data, _, _ in SAMPLES)
    return bytes(head) + pattern() + samples


with open(sys.argv[1], "wb") as f:
    f.write(module())
