// Memory blocks of the memblock library, reachable by id from other libraries (the sound
// library makes samples from them).
#pragma once

#include <cstdint>
#include <string>

#include "runtime/registry.h"

struct MemBlock {
  qm::ObjectHeader header;  // type OBJ_MEMORY
  int32_t size = 0;
  uint8_t* data = nullptr;  // not cleared at allocation
};

// 0 with *out, or ERR_FINDARRAY (automatic id) / ERR_FINDMEMBLK with the id as message number.
int32_t memblock_find(const qm::ObjectId& id, MemBlock** out);

// DumpMem's text for count bytes from offset: per line of 16 "%.8x: " with the offset from the
// block start, "%.2x " per byte, three blanks per missing byte, the printable bytes (others as
// '.'), then a line feed.
std::string memblock_dump_text(const uint8_t* data, int64_t offset, int64_t count);
