#!/usr/bin/env python3
# jpeg_scans.py WIDTHxHEIGHT SCANS OUT.jpg [flat] [grey]: a progressive JPEG (cjpeg's, of noise or
# of one flat colour) whose last scan, with the tables before it, is repeated until the file holds
# SCANS scans. Each repeat passes over the whole picture again while adding a few bytes: that is
# how a small file keeps a decoder busy for minutes.
import random
import subprocess
import sys


def scan_units(data):
    """The bytes before the first scan's tables, the units of tables and scan, and the tail."""
    assert data[:2] == b'\xff\xd8', 'not a JPEG'
    units, i, unit_start, head_end = [], 2, 2, None
    while i < len(data):
        assert data[i] == 0xFF, f'no marker at {i}'
        marker = data[i + 1]
        if marker == 0xD9:
            break
        length = int.from_bytes(data[i + 2:i + 4], 'big')
        if marker != 0xDA:
            i += 2 + length
            continue
        if head_end is None:
            head_end = unit_start = frame_end(data)
        j = i + 2 + length
        # Entropy-coded data runs to the next marker that is neither a stuffed 0xFF nor a restart.
        while not (data[j] == 0xFF and data[j + 1] != 0 and not 0xD0 <= data[j + 1] <= 0xD7):
            j += 1
        units.append(data[unit_start:j])
        unit_start = i = j
    return data[:head_end], units, data[unit_start:]


def frame_end(data):
    """Where the segments after the frame header begin (tables there belong to the first scan)."""
    i = 2
    while True:
        marker = data[i + 1]
        length = int.from_bytes(data[i + 2:i + 4], 'big')
        i += 2 + length
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            return i


def progressive(width, height, flat, grey):
    rng = random.Random(width * 65536 + height)
    channels = 1 if grey else 3
    if flat:
        pixels = bytes((80, 40, 20)[:channels]) * (width * height)
    else:
        pixels = bytes(rng.randrange(256) for _ in range(width * height * channels))
    ppm = (b'P5' if grey else b'P6') + f'\n{width} {height}\n255\n'.encode() + pixels
    return subprocess.run(['cjpeg', '-progressive'], input=ppm, capture_output=True, check=True).stdout


def main():
    size, scans, target = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    width, height = (int(n) for n in size.split('x'))
    source = progressive(width, height, 'flat' in sys.argv[4:], 'grey' in sys.argv[4:])
    head, units, tail = scan_units(source)
    assert units and scans >= len(units), 'fewer scans than the picture has'
    units += [units[-1]] * (scans - len(units))
    open(target, 'wb').write(head + b''.join(units) + tail)


main()
