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

}  // namespace

struct PackedStream::State {
  z_stream z{};
  bool z_open = false;
  bool ended = false;
  bool output_full = false;  // the last call filled the output: more may come without input
  std::unique_ptr<qmFileHandle, int32_t (*)(qmFileHandle*)> in{nullptr, qmos_close};
  uint8_t in_buf[kPiece];
  uint8_t out_buf[kPiece];
  ~State() {
    if (z_open) inflateEnd(&z);
  }
};

PackedStream::PackedStream() = default;
PackedStream::~PackedStream() = default;

bool PackedStream::ended() const { return s_ && s_->ended; }

int32_t PackedStream::open(const char* magic, const char* source, int64_t offset) {
  s_.reset(new (std::nothrow) State);
  if (!s_) return ERR_MEM;
  s_->in.reset(qmos_open(source, QMOS_MODE_READ));
  if (!s_->in) {
    err_set_string_arg(source);
    return ERR_READFILE;
  }
  qmos_seek(s_->in.get(), offset, QMOS_SEEK_BEGINNING);
  uint8_t header[8];
  if (qmos_read(s_->in.get(), header, 8) != 8 || std::memcmp(header, magic, 4) != 0) return ERR_PAKFORMAT;
  if (int zr = inflateInit(&s_->z); zr != Z_OK) return zlib_error_code(zr);
  s_->z_open = true;
  return 0;
}

int32_t PackedStream::next(InflateSink sink, void* ud) {
  if (!s_ || !s_->z_open) return ERR_ZLIBSTREAM;
  State& s = *s_;
  if (s.ended) return 0;
  z_stream& z = s.z;
  if (z.avail_in == 0 && !s.output_full) {
    int64_t got = qmos_read(s.in.get(), s.in_buf, int64_t(kPiece));
    if (got < 0) got = 0;
    if (got < int64_t(kPiece) && !at_end(s.in.get())) return ERR_READ;
    if (got == 0) return ERR_ZLIBDATA;  // the stream ends before its end mark
    z.next_in = s.in_buf;
    z.avail_in = uInt(got);
  }
  z.next_out = s.out_buf;
  z.avail_out = uInt(kPiece);
  int zr = inflate(&z, Z_NO_FLUSH);
  if (zr != Z_OK && zr != Z_STREAM_END && zr != Z_BUF_ERROR) return zlib_error_code(zr);
  s.output_full = z.avail_out == 0;
  s.ended = zr == Z_STREAM_END;
  const size_t have = kPiece - z.avail_out;
  return have ? sink(ud, s.out_buf, have) : 0;
}

int32_t packed_inflate(const char* magic, const char* source, int64_t offset, InflateSink sink, void* ud) {
  PackedStream stream;
  if (int32_t err = stream.open(magic, source, offset)) return err;
  while (!stream.ended())
    if (int32_t err = stream.next(sink, ud)) return err;
  return 0;
}

}  // namespace qm
