#!/usr/bin/env python3
"""Writes a big-endian bytecode chunk to stdout, field by field with struct, independently of
the C++ writer. bytecode_test.cpp holds the same function tree as assembler text."""
import struct
import sys


def s32(v):
    return struct.pack('>i', v)


def u32(v):
    return struct.pack('>I', v)


def string(s):
    if s is None:
        return u32(0)
    b = s.encode('latin-1') + b'\0'
    return u32(len(b)) + b


def abc(op, a, b, c):
    return op | (c << 6) | (b << 15) | (a << 24)


def abx(op, a, bx):
    return op | (bx << 6) | (a << 24)


def function(source, line, nups, params, vararg, maxstack, lines, local_vars, upnames, consts,
             protos, code):
    out = string(source) + s32(line) + bytes([nups, params, vararg, maxstack])
    out += s32(len(lines)) + b''.join(s32(x) for x in lines)
    out += s32(len(local_vars)) + b''.join(string(n) + s32(a) + s32(b) for n, a, b in local_vars)
    out += s32(len(upnames)) + b''.join(string(n) for n in upnames)
    out += s32(len(consts))
    for c in consts:
        if c is None:
            out += b'\x00'
        elif isinstance(c, float):
            out += b'\x03' + struct.pack('>d', c)
        else:
            out += b'\x04' + string(c)
    out += s32(len(protos)) + b''.join(protos)
    out += s32(len(code)) + b''.join(u32(i) for i in code)
    return out


MOVE, LOADK, GETUPVAL, RETURN, CLOSURE = 0, 1, 4, 34, 41

header = b'\x1bQMB' + bytes([0, 4, 4, 4, 6, 8, 9, 9, 8]) + struct.pack('>d', 31415926.535897933)
inner = function(None, 3, 1, 2, 1, 4, [3, 4], [('p', 0, 2)], ['u'], [2.5], [],
                 [abc(GETUPVAL, 2, 0, 0), abc(RETURN, 2, 2, 0)])
main = function('@be.qm', 0, 0, 0, 0, 4, [1, 1, 2, 2], [('t', 1, 4)], [],
                [None, -0.0, 'text\n', ''], [inner],
                [abx(LOADK, 0, 2), abx(CLOSURE, 1, 0), abc(MOVE, 0, 0, 0), abc(RETURN, 0, 1, 0)])
sys.stdout.buffer.write(header + main)
