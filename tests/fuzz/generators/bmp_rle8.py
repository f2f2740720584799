#!/usr/bin/env python3
# bmp_rle8.py FOLDER: writes 8-bit RLE BMPs built from the format's codes (runs, absolute runs,
# deltas, line and picture ends) into FOLDER, each at most 1 MB; seeds for the BMP reader's fuzzing.
# bmp_rle8.py --far OUT: one picture whose "move right" deltas add up past 2^31 columns (about
# 34 MB) before a run of pixels: the column must never wrap around.
import random
import struct
import sys


def bmp(width, height, data):
    palette = b''.join(struct.pack('<BBBB', i, 255 - i, (i * 7) & 255, 0) for i in range(256))
    offset = 14 + 40 + len(palette)
    head = b'BM' + struct.pack('<IHHI', offset + len(data), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 1, len(data), 2835, 2835, 256, 0)
    return head + info + palette + data


def delta(dx, dy):
    return bytes((0, 2, dx, dy))


def random_codes(rng, size, weights):
    out = bytearray()
    while len(out) < size:
        kind = rng.choices(('run', 'absolute', 'delta', 'line', 'end'), weights)[0]
        if kind == 'run':
            out += bytes((rng.randint(1, 255), rng.randrange(256)))
        elif kind == 'absolute':
            n = rng.randint(3, 255)
            out += bytes((0, n)) + bytes(rng.randrange(256) for _ in range(n)) + b'\0' * (n & 1)
        elif kind == 'delta':
            out += delta(rng.randrange(256), rng.choice((0, 0, 0, 1, 2)))
        elif kind == 'line':
            out += b'\0\0'
        else:
            out += b'\0\1'
    return bytes(out)


def corpus(folder):
    rng = random.Random(1)
    # (width, height, bytes of codes, weights of run, absolute, delta, line end, picture end)
    shapes = [(16, 16, 2000, (5, 2, 2, 2, 0)), (300, 7, 20000, (5, 5, 1, 1, 0)),
              (1, 300, 4000, (3, 1, 1, 5, 0)), (257, 129, 100000, (4, 4, 2, 1, 0.01))]
    pictures = [bmp(w, h, random_codes(rng, size, weights)) for w, h, size, weights in shapes]
    # Megabyte inputs of few distinct bytes: far deltas within one row, and one block of mixed codes
    # repeated over a tall picture.
    pictures.append(bmp(64, 64, delta(255, 0) * 250000 + bytes((9, 7)) + b'\0\1'))
    block = random_codes(rng, 1000, (6, 2, 1, 1, 0))
    pictures.append(bmp(1024, 4096, block * 1000))
    for i, picture in enumerate(pictures):
        with open(f'{folder}/rle8_{i}.bmp', 'wb') as f:
            f.write(picture)


def far(path):
    count = (1 << 31) // 255 + 2
    with open(path, 'wb') as f:
        f.write(bmp(16, 16, delta(255, 0) * count + bytes((200, 0x41)) + b'\0\1'))


if sys.argv[1] == '--far':
    far(sys.argv[2])
else:
    corpus(sys.argv[1])
