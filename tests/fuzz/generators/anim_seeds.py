#!/usr/bin/env python3
# anim_seeds.py ANIMGEN CORPUS: seeds for fuzz_iffanim and fuzz_avi, written into
# CORPUS/iffanim and CORPUS/avi. IFF ANIMs come from the tests' generator (animgen, delta frames
# of interleave 0 and exclusive or, HAM, half-brite); AVIs from ffmpeg (Motion JPEG with and
# without sound, uncompressed rows packed and padded), each also without idx1 and with absolute
# idx1 offsets, so that both ways of finding frames are reached. All small: the fuzzer grows them.
import os
import struct
import subprocess
import sys
import tempfile


def le32(b, at):
    return struct.unpack_from('<I', b, at)[0]


def chunks(b, start, end):
    at = start
    while at + 8 <= end:
        size = le32(b, at + 4)
        yield at, b[at:at + 4], size
        at += 8 + size + (size & 1)


def movi_offset(b):
    for at, cid, size in chunks(b, 12, len(b)):
        if cid == b'LIST' and b[at + 8:at + 12] == b'movi':
            return at + 8
    raise ValueError('no movi')


def variants(b):
    """The file without idx1 and with absolute idx1 offsets."""
    for at, cid, size in chunks(b, 12, len(b)):
        if cid != b'idx1':
            continue
        stripped = bytearray(b[:at])
        struct.pack_into('<I', stripped, 4, len(stripped) - 8)
        absolute = bytearray(b)
        base = movi_offset(b)
        for e in range(at + 8, at + 8 + size, 16):
            struct.pack_into('<I', absolute, e + 8, le32(absolute, e + 8) + base)
        return bytes(stripped), bytes(absolute)
    return None, None


def main():
    animgen, corpus = sys.argv[1], sys.argv[2]
    iff, avi = os.path.join(corpus, 'iffanim'), os.path.join(corpus, 'avi')
    os.makedirs(iff, exist_ok=True)
    os.makedirs(avi, exist_ok=True)
    for name, args in [('planes4', ['24', '10', '4', '4']), ('xor', ['20', '8', '5', '4', 'xor']),
                       ('ham6', ['16', '6', '6', '3', 'ham']), ('ham8', ['16', '6', '8', '3', 'ham', 'xor']),
                       ('ehb', ['32', '8', '6', '3', 'ehb']), ('planes1', ['40', '4', '1', '5'])]:
        subprocess.run([animgen, os.path.join(iff, name + '.anim')] + args, check=True)
    with tempfile.TemporaryDirectory() as tmp:
        for name, codec, size, audio in [('mjpeg', '-c:v mjpeg -q:v 8', '16x16', False),
                                         ('mjpeg_sound', '-c:v mjpeg -q:v 8', '16x8', True),
                                         ('mjpeg_tables', '-c:v mjpeg -huffman default -q:v 8', '8x8', False),
                                         ('raw', '-c:v rawvideo -pix_fmt bgr24', '8x6', False),
                                         ('raw_padded', '-c:v rawvideo -pix_fmt bgr24', '5x4', False)]:
            path = os.path.join(tmp, name + '.avi')
            sound = '-f lavfi -i sine=sample_rate=8000 -c:a pcm_u8' if audio else ''
            subprocess.run(f'ffmpeg -v error -y -f lavfi -i testsrc=size={size}:rate=25 {sound} '
                           f'-frames:v 3 {codec} -shortest {path}', shell=True, check=True)
            data = open(path, 'rb').read()
            open(os.path.join(avi, name + '.avi'), 'wb').write(data)
            stripped, absolute = variants(data)
            if stripped:
                open(os.path.join(avi, name + '_noidx1.avi'), 'wb').write(stripped)
                open(os.path.join(avi, name + '_absidx1.avi'), 'wb').write(absolute)


if __name__ == '__main__':
    main()
