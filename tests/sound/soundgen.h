// Writes small sound files for the sound driver's tests and fuzz seeds: IFF 8SVX and 16SV (which
// no Debian tool writes with odd chunks, or at all for 16SV) and RIFF WAVE, with header values
// that may lie (sizes are written as given, whatever data follows).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

using Bytes = std::vector<uint8_t>;

// A chunk written before the sample data. Odd sizes get their pad byte unless pad is false.
struct Chunk {
  std::string id;
  Bytes data;
  bool pad = true;
};

struct Iff {
  std::string type = "8SVX";  // or "16SV"
  int rate = 8000;
  int channels = 1;           // 2 writes CHAN 6
  int compression = 0;
  std::vector<Chunk> before;  // after the voice header (and CHAN)
  int64_t body_size = -1;     // the BODY size written; -1: the data's
};
// frames: interleaved, 8-bit signed or 16-bit big-endian; the BODY holds the left channel's
// values first, then the right channel's.
Bytes iff(const Iff& f, const Bytes& frames);

struct Wave {
  int tag = 1;
  int channels = 1;
  int rate = 8000;
  int bits = 16;
  int fmt_size = 16;          // bytes past 16 are zero
  std::vector<Chunk> before;  // between "fmt " and "data"
  int64_t data_size = -1;     // the data size written; -1: the data's
};
Bytes wave(const Wave& f, const Bytes& data);

// n bytes counting up from first (wrapping), a pattern that shows any shifted or swapped byte.
Bytes ramp(size_t n, uint8_t first = 0);

bool write_file(const std::string& path, const Bytes& bytes);
Bytes read_file(const std::string& path);

}  // namespace soundgen
