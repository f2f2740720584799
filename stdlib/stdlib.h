// The standard libraries: dos, string, math, system and memblock. Each library's open function
// registers its commands and constants with the engine and returns 0 or an error code; its
// clean-up frees what the program left open.
#pragma once

#include <cstdint>

#include "engine/vm.h"

int32_t math_open(qmState* L);
// Seeds Rnd and RndF; the library seeds from the clock when it opens, tests seed it themselves.
void math_seed_random(uint32_t seed);

int32_t string_open(qmState* L);

int32_t system_open(qmState* L);
void system_cleanup();

// The dos library: files, directories, virtual files, serialised data, packed files, checksums.
int32_t dos_open(qmState* L);
// Closes every file and directory the program left open and deletes the temporary copies.
void dos_cleanup(qmState* L);

int32_t memblock_open(qmState* L);
void memblock_cleanup(qmState* L);

// Packed files: magic (4 bytes), 4 reserved bytes, one zlib stream. 0 or an error code; *size
// (may be null) gets the bytes written to the target. decompress_file reads the packed data at
// offset in source (the compressed applet sits inside its host file).
int32_t compress_file(const char* magic, const char* source, const char* target, uint64_t* size);
int32_t decompress_file(const char* magic, const char* source, const char* target, int64_t offset, uint64_t* size);
