// Packed files: a 4-byte magic ("QMPK" for CompressFile, "QMZ\0" for a compressed applet), 4
// reserved bytes written as 0 and skipped unread, then one zlib stream (RFC 1950 around deflate
// data) at the default level. Both directions stream file to file in 16384-byte pieces, so a
// packed file's size is not bounded by memory.
#include <zlib.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "engine/errcodes.h"
#include "engine/vm.h"
#include "runtime/args.h"
#include "runtime/errors.h"
#include "runtime/packed.h"
#include "stdlib/dos_internal.h"
#include "stdlib/stdlib.h"

using namespace qm;

namespace {

constexpr size_t kPiece = 16384;

struct Files {
  qmFileHandle* in = nullptr;
  qmFileHandle* out = nullptr;
  ~Files() {
    if (in) qmos_close(in);
    if (out) qmos_close(out);
  }
};

struct Buffers {
  std::unique_ptr<uint8_t[]> in{new (std::nothrow) uint8_t[kPiece]};
  std::unique_ptr<uint8_t[]> out{new (std::nothrow) uint8_t[kPiece]};
  bool ok() const { return in && out; }
};

bool source_at_end(qmFileHandle* h) { return qmos_eof(h) != 0 || (h->length < 0 && h->fp && std::feof(h->fp)); }

}  // namespace

int32_t compress_file(const char* magic, const char* source, const char* target, uint64_t* size) {
  if (size) *size = 0;
  Buffers buf;
  if (!buf.ok()) return ERR_MEM;
  Files files;
  files.in = qmos_open(source, QMOS_MODE_READ);
  if (!files.in) {
    err_set_string_arg(source);
    return ERR_READFILE;
  }
  if (qmos_same_file(source, target)) return ERR_WRONGUSAGE;  // the target would empty the source
  files.out = qmos_open(target, QMOS_MODE_WRITE);
  if (!files.out) {
    err_set_string_arg(target);
    return ERR_WRITEFILE;
  }
  static const uint8_t reserved[4] = {};
  if (dos::io_write(files.out, magic, 4) != 4 || dos::io_write(files.out, reserved, 4) != 4) return ERR_WRITE;
  z_stream z{};
  int zr = deflateInit(&z, Z_DEFAULT_COMPRESSION);
  if (zr != Z_OK) return zlib_error_code(zr);
  int32_t result = 0;
  uint64_t written = 8;
  for (bool last = false; !last && result == 0;) {
    int64_t got = dos::io_read(files.in, buf.in.get(), int64_t(kPiece));
    if (got < 0) got = 0;
    last = source_at_end(files.in) || got < int64_t(kPiece);
    if (got < int64_t(kPiece) && !source_at_end(files.in)) {
      result = ERR_READ;
      break;
    }
    z.next_in = buf.in.get();
    z.avail_in = uInt(got);
    do {
      z.next_out = buf.out.get();
      z.avail_out = uInt(kPiece);
      zr = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
      if (zr == Z_STREAM_ERROR) {
        result = ERR_ZLIBSTREAM;
        break;
      }
      int64_t have = int64_t(kPiece - z.avail_out);
      if (have && dos::io_write(files.out, buf.out.get(), have) != have) {
        result = ERR_WRITE;
        break;
      }
      written += uint64_t(have);
    } while (z.avail_out == 0);
  }
  deflateEnd(&z);
  if (result == 0 && size) *size = written;
  return result;
}

namespace {

// Writes the inflated bytes into the target, which is made when the first bytes come.
struct FileSink {
  const char* target;
  qmFileHandle* out = nullptr;
  uint64_t written = 0;

  int32_t open() {
    if (out) return 0;
    out = qmos_open(target, QMOS_MODE_WRITE);
    if (out) return 0;
    err_set_string_arg(target);
    return ERR_WRITEFILE;
  }
  static int32_t put(void* ud, const uint8_t* data, size_t size) {
    auto* self = static_cast<FileSink*>(ud);
    if (int32_t err = self->open()) return err;
    if (dos::io_write(self->out, data, int64_t(size)) != int64_t(size)) return ERR_WRITE;
    self->written += size;
    return 0;
  }
};

}  // namespace

int32_t decompress_file(const char* magic, const char* source, const char* target, int64_t offset, uint64_t* size) {
  if (size) *size = 0;
  if (qmos_same_file(source, target)) return ERR_WRONGUSAGE;  // the target would empty the source
  FileSink sink{target};
  int32_t result = packed_inflate(magic, source, offset, FileSink::put, &sink);
  if (result == 0) result = sink.open();  // an empty stream still makes its empty target
  if (sink.out && !qmos_close(sink.out) && result == 0) result = ERR_WRITE;
  if (result == 0 && size) *size = sink.written;
  return result;
}

namespace dos {

int32_t cmd_compressfile(qmState* L) {
  arg_check_count(L, 2, 2);
  const char* source = arg_get_file_name(L, 1, ERR_READFILE);
  const char* target = arg_get_file_name(L, 2, ERR_WRITEFILE);
  uint64_t size = 0;
  if (int32_t err = compress_file("QMPK", source, target, &size)) return err;
  vm_push_number(L, double(size));
  return 1;
}

int32_t cmd_decompressfile(qmState* L) {
  arg_check_count(L, 2, 2);
  const char* source = arg_get_file_name(L, 1, ERR_READFILE);
  const char* target = arg_get_file_name(L, 2, ERR_WRITEFILE);
  uint64_t size = 0;
  if (int32_t err = decompress_file("QMPK", source, target, 0, &size)) return err;
  vm_push_number(L, double(size));
  return 1;
}

}  // namespace dos
