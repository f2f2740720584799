// Bytecode chunks: the loader with its input stream, the writer, and the code check that makes
// loaded code safe to run without bounds checks.
//
// Chunk layout (every multi-byte field in the byte order the header names):
//   header, 21 bytes: 27 'Q' 'M' 'B', byte-order flag (1 = little-endian, anything else swaps),
//     the size bytes 4 4 4 (integer, length, instruction) 6 8 9 9 (bits of OP, A, B, C)
//     8 (number), then the f64 test number 31415926.535897933;
//   function: source (string), line defined (s32), upvalue count, parameter count, vararg flag,
//     maximum stack (u8 each), then counted arrays (s32 count): line numbers (s32), locals
//     {string, s32 startpc, s32 endpc}, upvalue names (string), constants {u8 type: 0 nil,
//     3 f64, 4 string}, nested functions, instruction words (u32).
//   string: u32 length including a terminating zero byte; 0 is the absent string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/object.h"

// Hands the loader its input block by block: returns the next block and its size in *size, or
// nullptr / size 0 at the end of input.
using qmReader = const char* (*)(qmState* L, void* data, size_t* size);
// Receives a written chunk piece by piece; its result is not looked at.
using qmWriter = int32_t (*)(qmState* L, const void* p, size_t size, void* data);

struct qmStream {
  size_t n;       // bytes left in the current block
  const char* p;  // next byte of the current block
  qmReader reader;
  void* data;
  const char* name;  // chunk name
  qmState* L;
};

// Scratch space of a load (grows with buffer_reserve; the loader's caller frees it with
// buffer_free whether the load succeeded or not).
struct qmBuffer {
  char* buffer;
  size_t size;
};

void stream_init(qmState* L, qmStream* z, qmReader reader, void* data, const char* name);
// Next byte after asking the reader for a new block, or -1 at the end of input.
int32_t stream_fill(qmStream* z);
// Next byte without consuming it, or -1.
int32_t stream_peek(qmStream* z);
// Copies n bytes; returns how many could not be read (0 = all of them).
size_t stream_read(qmStream* z, void* dst, size_t n);

void buffer_init(qmBuffer* b);
char* buffer_reserve(qmState* L, qmBuffer* b, size_t n);
void buffer_free(qmState* L, qmBuffer* b);

// What the code check found wrong first, and where: the function (its nested-function indices
// from the main function, empty for the main function itself) and the pc, -1 when the fault is the
// function's as a whole (its fields, or no RETURN at its end).
struct qmCodeFault {
  std::vector<int32_t> function;
  int32_t pc = -1;
  const char* reason = "";
};

// Reads a whole chunk and returns its main function. Errors are raised (1198 to 1205, 1000),
// so run it protected. Every function read passes the code check.
//
// A prototype's source, local names and upvalue names may be null (absent in the chunk), except
// that a main function without a source takes the chunk name. The main function may declare
// upvalues (a dumped closure has them): whoever makes its closure must give it that many.
qmProto* bytecode_load(qmState* L, qmStream* z, qmBuffer* buff, qmCodeFault* fault = nullptr);

// Writes the function at stack index idx (positive from the frame base, negative from the top).
// Returns 0, or 1324 when it is a command function.
int32_t vm_bytecode_dump(qmState* L, int32_t idx, qmWriter writer, void* data);
void bytecode_dump_proto(qmState* L, const qmProto* f, qmWriter writer, void* data);

// The code check: true when every operand, register range and jump of the prototype stays
// inside its code, constants, upvalues, nested functions and maximum stack. On false the fault's
// pc and reason go to *fault when one is given.
bool bytecode_check_code(const qmProto* p, qmCodeFault* fault = nullptr);

// Nested functions deeper than this are refused as bad bytecode.
inline constexpr int32_t QM_MAX_FUNCTION_NESTING = 200;
