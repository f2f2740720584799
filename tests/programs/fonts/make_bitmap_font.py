#!/usr/bin/env python3
# make_bitmap_font.py FOLDER NAME: writes the bitmap font NAME into FOLDER as the player reads it
# from disk: NAME.font (the contents file) and NAME/8 (its size-8 file).
# make_bitmap_font.py --linked FOLDER: writes the same font as an applet links it: pixel.chunk (the
# flags word 0 and a contents file whose entry is the virtual name of the linked size file, its
# offset in the applet left as ten zeros for the setup to fill in) and pixel-8.bin (the size file).
#
# The font: codes 'A'..'C' and the fallback glyph, each 6 pixels wide, 8 rows, baseline 6, x size 6.
import struct
import sys

GLYPHS = [  # rows of 6 pixels: A, B, C, fallback
    ['..#...', '.#.#..', '#...#.', '#####.', '#...#.', '#...#.', '......', '......'],
    ['####..', '#...#.', '####..', '#...#.', '#...#.', '####..', '......', '......'],
    ['.###..', '#...#.', '#.....', '#.....', '#...#.', '.###..', '......', '......'],
    ['######', '#....#', '#....#', '#....#', '#....#', '######', '......', '......'],
]


def size_file():
    width, modulo = 6 * len(GLYPHS), 3
    strip = bytearray(modulo * 8)
    for g, rows in enumerate(GLYPHS):
        for y, row in enumerate(rows):
            for x, c in enumerate(row):
                if c == '#':
                    bit = g * 6 + x
                    strip[y * modulo + bit // 8] |= 0x80 >> (bit % 8)
    header = bytearray(186)
    struct.pack_into('>H', header, 50, 0x0F80)
    struct.pack_into('>HBBHHHH', header, 110, 8, 0, 0, 6, 6, 1, 0)
    header[122], header[123] = ord('A'), ord('C')
    locations = b''.join(struct.pack('>I', (g * 6) << 16 | 6) for g in range(len(GLYPHS)))
    struct.pack_into('>I', header, 130, 186 - 32)                      # locations
    struct.pack_into('>I', header, 124, 186 - 32 + len(locations))     # strip
    struct.pack_into('>H', header, 128, modulo)
    assert width <= modulo * 8
    return bytes(header) + locations + bytes(strip)


def contents(entry):
    e = entry.encode('latin-1').ljust(256, b'\0') + struct.pack('>HBB', 8, 0, 0)
    return struct.pack('>HH', 0x0F00, 1) + e


def main():
    if sys.argv[1] == '--linked':
        folder, data = sys.argv[2], size_file()
        with open(f'{folder}/pixel-8.bin', 'wb') as f:
            f.write(data)
        with open(f'{folder}/pixel.chunk', 'wb') as f:
            f.write(struct.pack('>I', 0) + contents(f':::chunk0000000000:{len(data)}*pixel-8/'))
        return
    folder, name = sys.argv[1], sys.argv[2]
    import os
    os.makedirs(f'{folder}/{name}', exist_ok=True)
    with open(f'{folder}/{name}/8', 'wb') as f:
        f.write(size_file())
    with open(f'{folder}/{name}.font', 'wb') as f:
        f.write(contents(f'{name}/8'))


main()
