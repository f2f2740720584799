// Serialised functions and tables in open files.
//
// Function: "QMF0", u32 length L, L bytes of bytecode chunk; or "QMF1", eight lowercase hex digits
// giving the length T of the text that follows, T bytes of Base64 in lines of 72 characters
// joined by one line feed (T counts the line feeds; none after the last line).
// Table: "QMT0", then entries {key, value} and an end byte 0. Each key or value is a tag byte and
// its payload: 2 a big-endian double, 3 a u32 length and the bytes, 4 a nested entry list with its
// own end byte, 5 a function as u32 length and chunk (the raw form without its magic). Keys are
// only numbers and strings. Every multi-byte number is big-endian.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "engine/bytecode.h"
#include "engine/endian.h"
#include "engine/errcodes.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "stdlib/dos_internal.h"
#include "stdlib/dos_serial.h"

using namespace qm;

namespace dos {

namespace {

constexpr uint8_t kTagEnd = 0, kTagNumber = 2, kTagString = 3, kTagTable = 4, kTagFunction = 5;
constexpr size_t kLineLength = 72;
constexpr int32_t kMaxNesting = 200;

const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The chunk writer's sink: straight into the file (raw form) or into memory (text form).
struct DumpState {
  FileObject* file = nullptr;
  std::vector<uint8_t>* memory = nullptr;
  uint64_t written = 0;
  int32_t error = 0;
};

int32_t dump_writer(qmState*, const void* p, size_t size, void* data) {
  auto* d = static_cast<DumpState*>(data);
  if (d->error) return 1;
  if (d->memory) {
    try {
      auto* b = static_cast<const uint8_t*>(p);
      d->memory->insert(d->memory->end(), b, b + size);
    } catch (const std::bad_alloc&) {
      d->error = ERR_MEM;
    }
  } else {
    d->error = file_write(d->file, p, size);
  }
  if (!d->error) d->written += size;
  return d->error;
}

struct ChunkInput {
  const char* data;
  size_t size;
  bool given;
};

// The whole chunk on the first call, nothing after.
const char* chunk_reader(qmState*, void* data, size_t* size) {
  auto* in = static_cast<ChunkInput*>(data);
  if (in->given) {
    *size = 0;
    return nullptr;
  }
  in->given = true;
  *size = in->size;
  return in->data;
}

std::string base64_wrapped(const std::vector<uint8_t>& in) {
  std::string out;
  size_t chars = (in.size() + 2) / 3 * 4;
  out.reserve(chars + chars / kLineLength);
  size_t on_line = 0;
  auto put = [&](char c) {
    if (on_line == kLineLength) {
      out += '\n';
      on_line = 0;
    }
    out += c;
    on_line++;
  };
  size_t i = 0;
  for (; i + 3 <= in.size(); i += 3) {
    uint32_t v = uint32_t(in[i]) << 16 | uint32_t(in[i + 1]) << 8 | in[i + 2];
    put(kBase64[v >> 18]);
    put(kBase64[(v >> 12) & 63]);
    put(kBase64[(v >> 6) & 63]);
    put(kBase64[v & 63]);
  }
  if (size_t rest = in.size() - i) {
    uint32_t v = uint32_t(in[i]) << 16 | (rest == 2 ? uint32_t(in[i + 1]) << 8 : 0);
    put(kBase64[v >> 18]);
    put(kBase64[(v >> 12) & 63]);
    put(rest == 2 ? kBase64[(v >> 6) & 63] : '=');
    put('=');
  }
  return out;
}

int32_t base64_value(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  if (c == '=') return 0;
  return -1;
}

int32_t write_tag(FileObject* f, uint8_t tag) { return file_write(f, &tag, 1); }

int32_t write_number(FileObject* f, double d) {
  uint8_t b[9];
  b[0] = kTagNumber;
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  put_be64(b + 1, bits);
  return file_write(f, b, sizeof b);
}

int32_t write_string(FileObject* f, const char* s, size_t len) {
  if (len > UINT32_MAX) return ERR_WRONGUSAGE;
  uint8_t b[5];
  b[0] = kTagString;
  put_be32(b + 1, uint32_t(len));
  if (int32_t err = file_write(f, b, sizeof b)) return err;
  return file_write(f, s, len);
}

int32_t read_u32(FileObject* f, uint32_t* out) {
  uint8_t b[4];
  if (int32_t err = file_read(f, b, 4)) return err;
  *out = get_be32(b);
  return 0;
}

// Reads a length field's worth of bytes, checked against what the file holds before anything
// is allocated.
int32_t read_counted(FileObject* f, uint64_t n, std::string* out) {
  if (n > file_bytes_left(f)) return ERR_READRANGE;
  try {
    out->resize(size_t(n));
  } catch (const std::bad_alloc&) {
    return ERR_MEM;
  }
  return file_read(f, out->data(), n);
}

struct TableWriter {
  qmState* L;
  FileObject* f;
  bool text;
  std::vector<const void*> path;  // the tables being written, outermost first

  static bool has_tag(int32_t type) {
    switch (type) {
      case QM_TNUMBER:
      case QM_TSTRING:
      case QM_TLIGHTUSERDATA:
      case QM_TUSERDATA:
      case QM_TTABLE:
      case QM_TFUNCTION: return true;
      default: return false;
    }
  }

  int32_t key(int32_t idx) {
    if (vm_type(L, idx) == QM_TNUMBER) return write_number(f, vm_to_number(L, idx));
    size_t len = 0;
    const char* s = vm_to_string(L, idx);
    len = vm_string_length(L, idx);
    return write_string(f, s, len);
  }

  int32_t value(int32_t idx) {
    switch (vm_type(L, idx)) {
      case QM_TNUMBER: return write_number(f, vm_to_number(L, idx));
      case QM_TSTRING: return write_string(f, vm_to_string(L, idx), vm_string_length(L, idx));
      case QM_TTABLE: {
        if (int32_t err = write_tag(f, kTagTable)) return err;
        return entries(idx);
      }
      case QM_TFUNCTION: {
        if (int32_t err = write_tag(f, kTagFunction)) return err;
        // Always the raw form: that is the only form a table's reader takes.
        return write_serialized(L, f, idx, false);
      }
      default: return write_number(f, 0);  // user data: no value survives a file
    }
  }

  // The entries of the table at t and its end byte. A table that holds itself, directly or
  // further down, would never end: such a value is refused before its key is written, as are
  // values of types without a tag and nesting deeper than a reader takes.
  bool writable_value(int32_t idx) {
    int32_t type = vm_type(L, idx);
    if (!has_tag(type)) return false;
    if (type == QM_TFUNCTION) return !vm_is_cfunction(L, idx);  // a command has no chunk
    if (type != QM_TTABLE) return true;
    const void* t = vm_to_pointer(L, idx);
    for (const void* p : path)
      if (p == t) return false;
    return int32_t(path.size()) < kMaxNesting;
  }

  int32_t entries(int32_t t) {
    t = vm_abs_index(L, t);
    if (!vm_check_stack(L, 4)) return ERR_STACK;
    path.push_back(vm_to_pointer(L, t));
    vm_push_nil(L);
    while (vm_next(L, t)) {
      int32_t kt = vm_type(L, -2);
      if ((kt != QM_TNUMBER && kt != QM_TSTRING) || !writable_value(-1)) return ERR_WRONGUSAGE;
      if (int32_t err = key(vm_abs_index(L, -2))) return err;
      if (int32_t err = value(vm_abs_index(L, -1))) return err;
      vm_pop(L, 1);
    }
    path.pop_back();
    return write_tag(f, kTagEnd);
  }
};

struct TableReader {
  qmState* L;
  FileObject* f;

  int32_t tag(uint8_t* out) { return file_read(f, out, 1); }

  int32_t number() {
    uint8_t b[8];
    if (int32_t err = file_read(f, b, 8)) return err;
    uint64_t bits = get_be64(b);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    vm_push_number(L, d);
    return 0;
  }

  int32_t string() {
    uint32_t len = 0;
    if (int32_t err = read_u32(f, &len)) return err;
    std::string s;
    if (int32_t err = read_counted(f, len, &s)) return err;
    vm_push_lstring(L, s.data(), s.size());
    return 0;
  }

  // Reads one entry list into a new table left on the stack.
  int32_t entries(int32_t depth) {
    if (depth > kMaxNesting) return ERR_WRONGUSAGE;
    if (!vm_check_stack(L, 4)) return ERR_STACK;
    vm_new_table(L);
    int32_t t = vm_get_top(L);
    for (;;) {
      uint8_t k = 0;
      if (int32_t err = tag(&k)) return err;
      if (k == kTagEnd) return 0;
      int32_t err = k == kTagNumber ? number() : k == kTagString ? string() : ERR_WRONGUSAGE;
      if (err) return err;
      // A NaN key cannot index a table.
      if (k == kTagNumber && std::isnan(vm_to_number(L, -1))) return ERR_WRONGUSAGE;
      uint8_t v = 0;
      if ((err = tag(&v))) return err;
      switch (v) {
        case kTagNumber: err = number(); break;
        case kTagString: err = string(); break;
        case kTagTable: err = entries(depth + 1); break;
        case kTagFunction: err = read_serialized(L, f, false); break;
        default: err = ERR_WRONGUSAGE;
      }
      if (err) return err;
      vm_raw_set(L, t);
    }
  }
};

int32_t read_magic(FileObject* f, char magic[4]) { return file_read(f, magic, 4); }

}  // namespace

int32_t write_serialized(qmState* L, FileObject* f, int32_t idx, bool text) {
  idx = vm_abs_index(L, idx);
  uint64_t start = f->position;
  static const uint8_t zeros[8] = {};
  if (int32_t err = file_write(f, zeros, text ? 8 : 4)) return err;
  std::vector<uint8_t> memory;
  DumpState d;
  d.file = f;
  if (text) d.memory = &memory;
  int32_t err = vm_bytecode_dump(L, idx, dump_writer, &d);
  if (err) return err;
  if (d.error) return d.error;
  uint64_t length = d.written;
  if (text) {
    std::string body = base64_wrapped(memory);
    if ((err = file_write(f, body.data(), body.size()))) return err;
    length = body.size();
  }
  if (length > UINT32_MAX) return ERR_WRONGUSAGE;
  uint64_t end = f->position;
  uint8_t field[9];
  if (text) std::snprintf(reinterpret_cast<char*>(field), sizeof field, "%.8x", uint32_t(length));
  else put_be32(field, uint32_t(length));
  file_set_position(f, start);
  err = file_write(f, field, text ? 8 : 4);
  file_set_position(f, end);
  return err;
}

int32_t read_serialized(qmState* L, FileObject* f, bool text) {
  uint64_t length = 0;
  if (text) {
    char hex[8];
    if (int32_t err = file_read(f, hex, 8)) return err;
    for (char c : hex) {
      int32_t v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (v < 0) return ERR_READFUNC;
      length = length << 4 | uint32_t(v);
    }
  } else {
    uint32_t n = 0;
    if (int32_t err = read_u32(f, &n)) return err;
    length = n;
  }
  std::string bytes;
  if (int32_t err = read_counted(f, length, &bytes)) return err;
  if (text) {
    int32_t err = base64_decode(bytes, &bytes);
    if (err) return err;
  }
  ChunkInput in{bytes.data(), bytes.size(), false};
  return vm_load(L, chunk_reader, &in, nullptr);
}

int32_t base64_decode(const std::string& in, std::string* out) {
  std::string result;
  result.reserve(in.size() / 4 * 3);
  int32_t block[4];
  int32_t filled = 0;
  bool pad3 = false, pad4 = false;
  for (unsigned char c : in) {
    if (c < 33) continue;
    int32_t v = base64_value(c);
    if (v < 0) return ERR_BADBASE64;
    if (filled == 2) pad3 = c == '=';
    if (filled == 3) pad4 = c == '=';
    block[filled++] = v;
    if (filled < 4) continue;
    uint32_t bits = uint32_t(block[0]) << 18 | uint32_t(block[1]) << 12 | uint32_t(block[2]) << 6 | uint32_t(block[3]);
    result += char(bits >> 16);
    filled = 0;
    if (pad3) break;
    result += char(bits >> 8);
    if (pad4) break;
    result += char(bits);
  }
  if (filled != 0) return ERR_BADBASE64;
  *out = std::move(result);
  return 0;
}

int32_t write_serialized_table(qmState* L, int32_t idx, FileObject* f, bool text) {
  int32_t top = vm_get_top(L);
  TableWriter w{L, f, text, {}};
  int32_t err = w.entries(idx);
  vm_set_top(L, top);
  return err;
}

int32_t read_serialized_table(qmState* L, FileObject* f) {
  int32_t top = vm_get_top(L);
  TableReader r{L, f};
  int32_t err = r.entries(0);
  if (err) vm_set_top(L, top);
  else vm_set_top(L, top + 1);
  return err;
}

int32_t cmd_writefunction(qmState* L) {
  arg_check_count(L, 2, 3);
  vm_arg_check_function(L, 2);
  bool text = truthy(L, 3);
  FileObject* f = file_arg(L, 1);
  if (f->access == ACCESS_READ) return ERR_READONLY;
  if (int32_t err = file_write(f, text ? "QMF1" : "QMF0", 4)) return err;
  return write_serialized(L, f, 2, text);
}

int32_t cmd_readfunction(qmState* L) {
  arg_check_count(L, 1, 1);
  FileObject* f = file_arg(L, 1);
  if (f->access == ACCESS_WRITE) return ERR_WRITEONLY;
  if (f->position >= f->size) return ERR_READRANGE;
  char magic[4];
  if (int32_t err = read_magic(f, magic)) return err;
  bool text = std::memcmp(magic, "QMF1", 4) == 0;
  if (!text && std::memcmp(magic, "QMF0", 4) != 0) return ERR_READFUNC;
  if (int32_t err = read_serialized(L, f, text)) return err;
  return 1;
}

int32_t cmd_writetable(qmState* L) {
  arg_check_count(L, 2, 3);
  vm_arg_check_table(L, 2);
  bool text = truthy(L, 3);
  FileObject* f = file_arg(L, 1);
  if (f->access == ACCESS_READ) return ERR_READONLY;
  if (int32_t err = file_write(f, "QMT0", 4)) return err;
  return write_serialized_table(L, 2, f, text);
}

int32_t cmd_readtable(qmState* L) {
  arg_check_count(L, 1, 1);
  FileObject* f = file_arg(L, 1);
  if (f->access == ACCESS_WRITE) return ERR_WRITEONLY;
  if (f->position >= f->size) return ERR_READRANGE;
  char magic[4];
  if (int32_t err = read_magic(f, magic)) return err;
  if (std::memcmp(magic, "QMT0", 4) != 0) return ERR_READTABLE;
  if (int32_t err = read_serialized_table(L, f)) return err;
  return 1;
}

}  // namespace dos
