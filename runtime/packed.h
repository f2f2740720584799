// Packed files: a 4-byte magic ("QMPK" for CompressFile, "QMZ\0" for a compressed applet), 4
// reserved bytes written as 0 and skipped unread, then one zlib stream. This is the player's one
// inflater: the dos library's DecompressFile and the applet reader both stream through it, each
// with a sink of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace qm {

// Takes the inflated bytes piece by piece as they come out: 0 to go on, or an error code that
// stops the inflation and is returned.
using InflateSink = int32_t (*)(void* ud, const uint8_t* data, size_t size);

// The error code for a zlib status other than Z_OK.
int32_t zlib_error_code(int status);

// Inflates the packed file at offset in source (player text; real or virtual) into sink. 0, or
// ERR_READFILE (source cannot be opened, its name in the error's string slot), ERR_PAKFORMAT (the
// magic is not there), ERR_READ, ERR_MEM, a zlib code (ERR_ZLIBDATA also for a stream cut short)
// or the sink's code.
int32_t packed_inflate(const char* magic, const char* source, int64_t offset, InflateSink sink, void* ud);

// The same inflation a piece at a time, for a reader that takes only as much as it needs: a
// stream may inflate to far more than anyone reads.
class PackedStream {
 public:
  PackedStream();
  ~PackedStream();
  PackedStream(const PackedStream&) = delete;
  PackedStream& operator=(const PackedStream&) = delete;

  // Opens the source and checks the magic; packed_inflate's codes.
  int32_t open(const char* magic, const char* source, int64_t offset);
  // Inflates the next piece (at most 16384 bytes) into sink; 0 or packed_inflate's codes. After
  // the stream's end mark every call answers 0 and ended() is true.
  int32_t next(InflateSink sink, void* ud);
  bool ended() const;

 private:
  struct State;
  std::unique_ptr<State> s_;
};

}  // namespace qm
