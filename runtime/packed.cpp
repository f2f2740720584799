#include "runtime/packed.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "engine/errcodes.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"

namespace qm {

namespace {

constexpr size_t kPiece = 16384;

}  // namespace

int32_t zlib_error_code(int z) {
  switch (z) {
    case Z_VERSION_ERROR: return ERR_ZLIBVERSION;
    case Z_MEM_ERROR: return ERR_MEM;
    case Z_DATA_ERROR: case Z_NEED_DICT: return ERR_ZLIBDATA;
    case Z_STREAM_ERROR: return ERR_ZLIBSTREAM;
    case Z_ERRNO: return ERR_ZLIBIO;
    default: return ERR_UNKNOWN;
  }
}

namespace {

bool at_end(qmFileHandle* h) { return qmos_eof(h) != 0 || (h->length < 0 && h->fp && std::feof(h->fp)); }

struct Inflater {
  z_stream z{};
  bool open = false;
  ~Inflater() {
    if (open) inflateEnd(&z);
  }
};

}  // namespace

int32_t packed_inflate(const char* magic, const char* source, int64_t offset, InflateSink sink, void* ud) {
  std::unique_ptr<uint8_t[]> in_buf(new (std::nothrow) uint8_t[kPiece]);
  std::unique_ptr<uint8_t[]> out_buf(new (std::nothrow) uint8_t[kPiece]);
  if (!in_buf || !out_buf) return ERR_MEM;
  std::unique_ptr<qmFileHandle, int32_t (*)(qmFileHandle*)> in(qmos_open(source, QMOS_MODE_READ), qmos_close);
  if (!in) {
    err_set_string_arg(source);
    return ERR_READFILE;
  }
  qmos_seek(in.get(), offset, QMOS_SEEK_BEGINNING);
  uint8_t header[8];
  if (qmos_read(in.get(), header, 8) != 8 || std::memcmp(header, magic, 4) != 0) return ERR_PAKFORMAT;
  Inflater inf;
  if (int zr = inflateInit(&inf.z); zr != Z_OK) return zlib_error_code(zr);
  inf.open = true;
  z_stream& z = inf.z;
  for (;;) {
    int64_t got = qmos_read(in.get(), in_buf.get(), int64_t(kPiece));
    if (got < 0) got = 0;
    if (got < int64_t(kPiece) && !at_end(in.get())) return ERR_READ;
    if (got == 0) return ERR_ZLIBDATA;  // the stream ends before its end mark
    z.next_in = in_buf.get();
    z.avail_in = uInt(got);
    do {
      z.next_out = out_buf.get();
      z.avail_out = uInt(kPiece);
      int zr = inflate(&z, Z_NO_FLUSH);
      if (zr != Z_OK && zr != Z_STREAM_END && zr != Z_BUF_ERROR) return zlib_error_code(zr);
      size_t have = kPiece - z.avail_out;
      if (have) {
        if (int32_t err = sink(ud, out_buf.get(), have)) return err;
      }
      if (zr == Z_STREAM_END) return 0;
    } while (z.avail_out == 0);
  }
}

}  // namespace qm
