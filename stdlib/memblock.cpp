// The "memblock" library: raw byte blocks that scripts allocate, poke, peek, fill, copy, move to
// and from open files and dump. Multi-byte values are stored big-endian whatever the processor.
//
// Every bounds test is made in 64 bits on offset + count, so an offset near 2^31 is refused with
// ERR_MEMRANGE instead of wrapping round into the block.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "display/graphics.h"
#include "engine/endian.h"
#include "engine/errcodes.h"
#include "engine/latin1.h"
#include "engine/numconv.h"
#include "engine/vm.h"
#include "platform/platform.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "runtime/registry.h"
#include "stdlib/dos_internal.h"
#include "stdlib/memblock.h"
#include "stdlib/stdlib.h"

using namespace qm;

namespace {

constexpr int32_t kLong = 1, kString = 3, kWord = 6, kByte = 7;

ObjectList g_blocks;

void block_free(qmState* L, MemBlock* b) {
  qmos_free(b->data);
  if (L) reflist_free(L, b->header.refs);
  delete b;
}

void block_unlink(MemBlock* b) {
  g_blocks.remove(&b->header);
}

MemBlock* block_arg(qmState* L, int32_t n) {
  MemBlock* b = nullptr;
  if (int32_t err = memblock_find(arg_get_id(L, n), &b)) vm_command_fail(L, err);
  return b;
}

// True when [offset, offset + count) lies inside the block.
bool fits(const MemBlock* b, int64_t offset, int64_t count) {
  return offset >= 0 && count >= 0 && offset + count <= int64_t(b->size);
}

int64_t int_arg(qmState* L, int32_t n) { return to_i64(vm_arg_check_number(L, n)); }
int64_t int_opt(qmState* L, int32_t n, int64_t def) { return to_i64(vm_arg_opt_number(L, n, double(def))); }

int32_t cmd_allocmem(qmState* L) {
  arg_check_count(L, 2, 2);
  bool automatic = vm_type(L, 1) == QM_TNIL;
  ObjectId id;
  if (!automatic) id = arg_get_id(L, 1);
  int64_t size = int_arg(L, 2);
  if (!automatic) {
    MemBlock* old = nullptr;
    if (memblock_find(id, &old) == 0) {
      block_unlink(old);
      block_free(L, old);
    }
  }
  if (size <= 0 || size > INT32_MAX) return ERR_MEM;
  auto* b = new (std::nothrow) MemBlock();
  if (!b) return ERR_MEM;
  b->data = static_cast<uint8_t*>(qmos_alloc(size_t(size), 0));
  if (!b->data) {
    delete b;
    return ERR_MEM;
  }
  b->header.type = OBJ_MEMORY;
  b->header.id = automatic ? ObjectId{0, b} : id;
  b->size = int32_t(size);
  if (!g_blocks.append(&b->header)) {
    block_free(L, b);
    return ERR_MEM;
  }
  if (automatic) {
    vm_push_lightuserdata(L, b);
    return 1;
  }
  return 0;
}

int32_t cmd_freemem(qmState* L) {
  arg_check_count(L, 1, 1);
  MemBlock* b = block_arg(L, 1);
  block_unlink(b);
  block_free(L, b);
  return 0;
}

int32_t cmd_poke(qmState* L) {
  arg_check_count(L, 3, 4);
  MemBlock* b = block_arg(L, 1);
  int64_t offset = int_arg(L, 2);
  int32_t type = to_i32(vm_arg_opt_number(L, 4, kLong));
  if (offset < 0) return ERR_MEMRANGE;
  uint8_t* p = b->data + (offset < b->size ? offset : 0);
  switch (type) {
    case kString: {
      size_t len = 0;
      const char* s = vm_arg_check_string(L, 3, &len);
      if (!fits(b, offset, int64_t(len) + 1)) return ERR_MEMRANGE;
      std::memcpy(p, s, len);
      p[len] = 0;
      return 0;
    }
    case kLong:
    case kWord:
    case kByte: {
      uint32_t v = to_u32_bits(vm_arg_check_number(L, 3));
      int64_t width = type == kLong ? 4 : type == kWord ? 2 : 1;
      if (!fits(b, offset, width)) return ERR_MEMRANGE;
      if (type == kLong) put_be32(p, v);
      else if (type == kWord) put_be16(p, uint16_t(v));
      else *p = uint8_t(v);
      return 0;
    }
    default: return ERR_WRONGUSAGE;
  }
}

int32_t cmd_peek(qmState* L) {
  arg_check_count(L, 2, 4);
  MemBlock* b = block_arg(L, 1);
  int64_t offset = int_arg(L, 2);
  int32_t type = to_i32(vm_arg_opt_number(L, 3, kLong));
  int64_t length = int_opt(L, 4, 0);
  if (offset < 0) return ERR_MEMRANGE;
  const uint8_t* p = b->data + (offset < b->size ? offset : 0);
  switch (type) {
    case kString: {
      if (length < 0) return ERR_WRONGUSAGE;
      if (length > 0) {
        if (!fits(b, offset, length)) return ERR_MEMRANGE;
        vm_push_lstring(L, reinterpret_cast<const char*>(p), size_t(length));
        return 1;
      }
      if (offset >= b->size) return ERR_MEMRANGE;
      int64_t n = 0;
      for (; offset + n < b->size; n++) {
        int c = p[n];
        if (!char_is_graph(c) && c != ' ' && c != '\n' && c != '\t' && c != '\r') break;
      }
      vm_push_lstring(L, reinterpret_cast<const char*>(p), size_t(n));
      return 1;
    }
    case kLong:
    case kWord:
    case kByte: {
      int64_t width = type == kLong ? 4 : type == kWord ? 2 : 1;
      if (!fits(b, offset, width)) return ERR_MEMRANGE;
      double v = type == kLong ? double(get_be32(p)) : type == kWord ? double(get_be16(p)) : double(*p);
      vm_push_number(L, v);
      return 1;
    }
    default: return ERR_WRONGUSAGE;
  }
}

int32_t cmd_fillmem(qmState* L) {
  arg_check_count(L, 3, 5);
  MemBlock* b = block_arg(L, 1);
  uint32_t value = to_u32_bits(vm_arg_check_number(L, 2));
  int64_t count = int_arg(L, 3);
  int64_t offset = int_opt(L, 4, 0);
  int32_t type = to_i32(vm_arg_opt_number(L, 5, kByte));
  if (count < 1) return 0;
  if (!fits(b, offset, count)) return ERR_MEMRANGE;
  uint8_t* p = b->data + offset;
  switch (type) {
    case kByte: std::memset(p, int(value & 0xFF), size_t(count)); return 0;
    case kWord:
      if (offset % 2 || count % 2) return ERR_WRONGUSAGE;
      for (int64_t i = 0; i < count; i += 2) put_be16(p + i, uint16_t(value));
      return 0;
    case kLong:
      if (offset % 4 || count % 4) return ERR_WRONGUSAGE;
      for (int64_t i = 0; i < count; i += 4) put_be32(p + i, value);
      return 0;
    default: return ERR_WRONGUSAGE;
  }
}

int32_t cmd_copymem(qmState* L) {
  arg_check_count(L, 3, 5);
  MemBlock* src = block_arg(L, 1);
  MemBlock* dst = block_arg(L, 2);
  int64_t count = int_arg(L, 3);
  int64_t src_offset = int_opt(L, 4, 0);
  int64_t dst_offset = int_opt(L, 5, 0);
  if (count < 1) return 0;
  if (src_offset < 0 || dst_offset < 0) return ERR_MEMRANGE;
  if (src == dst) return ERR_WRONGUSAGE;
  if (!fits(src, src_offset, count) || !fits(dst, dst_offset, count)) return ERR_MEMRANGE;
  std::memcpy(dst->data + dst_offset, src->data + src_offset, size_t(count));
  return 0;
}

// ReadMem and WriteMem: file, block, count, [offset = 0].
struct Transfer {
  dos::FileObject* file;
  MemBlock* block;
  int64_t count;
  int64_t offset;
};

Transfer transfer_args(qmState* L) {
  Transfer t;
  t.file = dos::file_arg(L, 1);
  t.block = block_arg(L, 2);
  t.count = int_arg(L, 3);
  t.offset = int_opt(L, 4, 0);
  return t;
}

int32_t cmd_readmem(qmState* L) {
  arg_check_count(L, 3, 4);
  Transfer t = transfer_args(L);
  dos::FileObject* f = t.file;
  MemBlock* b = t.block;
  int64_t count = t.count, offset = t.offset;
  if (count < 1) return 0;
  if (offset < 0) return ERR_WRONGUSAGE;
  if (f->access == dos::ACCESS_WRITE) return ERR_WRITEONLY;
  if (!fits(b, offset, count)) return ERR_MEMRANGE;
  int64_t got = dos::io_read(f->handle, b->data + offset, count);
  if (got > 0) f->position += uint64_t(got);
  return got == count ? 0 : ERR_READ;
}

int32_t cmd_writemem(qmState* L) {
  arg_check_count(L, 3, 4);
  Transfer t = transfer_args(L);
  dos::FileObject* f = t.file;
  MemBlock* b = t.block;
  int64_t count = t.count, offset = t.offset;
  if (count < 1) return 0;
  if (offset < 0) return ERR_WRONGUSAGE;
  if (f->access == dos::ACCESS_READ) return ERR_READONLY;
  if (!fits(b, offset, count)) return ERR_MEMRANGE;
  return dos::file_write(f, b->data + offset, uint64_t(count));
}

int32_t cmd_dumpmem(qmState* L) {
  arg_check_count(L, 1, 3);
  MemBlock* b = block_arg(L, 1);
  int64_t count = int_opt(L, 2, 0);
  int64_t offset = int_opt(L, 3, 0);
  if (offset < 0) return ERR_WRONGUSAGE;
  if (count < 1) count = b->size;
  if (!fits(b, offset, count)) return ERR_MEMRANGE;
  std::string text = memblock_dump_text(b->data, offset, count);
  platform_debug_write(text.data(), text.size());
  return 0;
}

const qmCommand kMemblockCommands[] = {
    {"AllocMem", cmd_allocmem}, {"FreeMem", cmd_freemem}, {"Poke", cmd_poke},
    {"Peek", cmd_peek},         {"FillMem", cmd_fillmem}, {"CopyMem", cmd_copymem},
    {"ReadMem", cmd_readmem},   {"WriteMem", cmd_writemem}, {"DumpMem", cmd_dumpmem},
    {nullptr, nullptr},
};

}  // namespace

int32_t memblock_find(const ObjectId& id, MemBlock** out) {
  *out = reinterpret_cast<MemBlock*>(g_blocks.find(id));
  if (*out) return 0;
  if (id.handle) return ERR_FINDARRAY;
  err_set_number_arg(id.number);
  return ERR_FINDMEMBLK;
}

std::string memblock_dump_text(const uint8_t* data, int64_t offset, int64_t count) {
  std::string out;
  char cell[16];
  for (int64_t line = 0; line < count; line += 16) {
    int64_t n = count - line < 16 ? count - line : 16;
    std::snprintf(cell, sizeof cell, "%.8x: ", uint32_t(offset + line));
    out += cell;
    for (int64_t i = 0; i < n; i++) {
      std::snprintf(cell, sizeof cell, "%.2x ", data[offset + line + i]);
      out += cell;
    }
    for (int64_t i = n; i < 16; i++) out += "   ";
    for (int64_t i = 0; i < n; i++) {
      unsigned char c = data[offset + line + i];
      out += c >= 0x20 && c < 0x7f ? char(c) : '.';  // ASCII only: the dump stays plain text
    }
    out += '\n';
  }
  return out;
}

int32_t memblock_open(qmState* L) {
  vm_push_value(L, QM_GLOBALSINDEX);
  vm_register_commands(L, nullptr, kMemblockCommands, 0);
  vm_set_top(L, 0);
  if (int32_t err = library_register_name(kMemblockCommands, "memblock")) return err;
  objlist_register(&g_blocks.head);
  // GetAttribute(#MEMORY, id, #ATTRSIZE).
  graphics_set_attribute_handler(OBJ_MEMORY, [](qmState* S, int32_t attribute) -> int32_t {
    MemBlock* m = nullptr;
    if (int32_t err = memblock_find(arg_get_id(S, 2), &m)) return err;
    if (attribute != 57) return ERR_UNKNOWNATTR;
    vm_push_number(S, m->size);
    return 1;
  });
  return 0;
}

void memblock_cleanup(qmState* L) {
  for (ObjectHeader* h = g_blocks.take_all(); h;) {
    auto* b = reinterpret_cast<MemBlock*>(h);
    h = h->next;
    block_free(L, b);
  }
}
