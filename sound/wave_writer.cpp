// The RIFF WAVE writer of SaveSample. Its byte layout is kept exactly as files written before rely
// on it: the RIFF size is the padded data size + 36, the data size is not padded, and the data is
// followed by zero bytes up to a multiple of 4.
#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/endian.h"
#include "engine/errcodes.h"
#include "runtime/errors.h"
#include "runtime/os/qmos.h"
#include "sound/driver.h"

namespace qm {

namespace {

constexpr size_t kHeaderSize = 44;
constexpr size_t kBlock = 65536;

void write_header(uint8_t* h, uint32_t channels, uint32_t bits, uint32_t rate, uint32_t size,
                  uint32_t padded) {
  const uint32_t align = channels * bits / 8;
  std::memcpy(h, "RIFF", 4);
  put_le32(h + 4, padded + 36);
  std::memcpy(h + 8, "WAVEfmt ", 8);
  put_le32(h + 16, 16);
  put_le16(h + 20, 1);
  put_le16(h + 22, uint16_t(channels));
  put_le32(h + 24, rate);
  put_le32(h + 28, align * rate);
  put_le16(h + 32, uint16_t(align));
  put_le16(h + 34, uint16_t(bits));
  std::memcpy(h + 36, "data", 4);
  put_le32(h + 40, size);
}

// The frames as WAVE wants them: 8-bit values unsigned, 16-bit values little-endian.
bool write_data(qmFileHandle* fh, const qmSampleData* s, int64_t size) {
  const auto* src = static_cast<const uint8_t*>(s->data);
  const bool to_unsigned = s->format == SAMPLE_MONO8 || s->format == SAMPLE_STEREO8;
  const bool swap = s->bits == 16 && (s->flags & SAMPLE_BIG_ENDIAN);
  if (!to_unsigned && !swap) return size == 0 || qmos_write(fh, src, size) == size;
  std::vector<uint8_t> block(kBlock);
  for (int64_t at = 0; at < size; at += int64_t(kBlock)) {
    const size_t n = size_t(std::min<int64_t>(int64_t(kBlock), size - at));
    if (to_unsigned) {
      for (size_t i = 0; i < n; ++i) block[i] = uint8_t(src[at + int64_t(i)] + 128);
    } else {
      for (size_t i = 0; i + 1 < n; i += 2) {
        block[i] = src[at + int64_t(i) + 1];
        block[i + 1] = src[at + int64_t(i)];
      }
    }
    if (qmos_write(fh, block.data(), int64_t(n)) != int64_t(n)) return false;
  }
  return true;
}

}  // namespace

int32_t qmos_sample_save_wave(const char* name, const qmSampleData* s, int32_t rate) {
  const uint32_t channels =
      s->format == SAMPLE_STEREO8U || s->format == SAMPLE_STEREO8 || s->format == SAMPLE_STEREO16
          ? 2 : 1;
  const uint32_t bits = s->format == SAMPLE_MONO16 || s->format == SAMPLE_STEREO16 ? 16 : 8;
  const int64_t size = int64_t(std::max(s->frames, 0)) * qmos_sample_frame_bytes(s->format);
  const int64_t padded = (size + 3) & ~int64_t(3);
  uint8_t header[kHeaderSize];
  write_header(header, channels, bits, uint32_t(rate), uint32_t(size), uint32_t(padded));
  static const uint8_t kZeros[3] = {};

  qmFileHandle* fh = qmos_save_open(name);
  bool ok = fh && qmos_write(fh, header, kHeaderSize) == int64_t(kHeaderSize) &&
            write_data(fh, s, size) &&
            (padded == size || qmos_write(fh, kZeros, padded - size) == padded - size);
  if (fh && !ok) qmos_close(fh);  // the old file stays, the temporary one goes
  if (!ok || !qmos_save_commit(fh)) {
    err_set_string_arg(name);
    return ERR_WRITEFILE;
  }
  return 0;
}

}  // namespace qm
