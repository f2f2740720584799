// RIFF WAVE files the driver reads itself: plain PCM (a 16-byte "fmt " chunk of format tag 1),
// mono or stereo, 8-bit unsigned or 16-bit signed little-endian. Every other WAVE file (24 or 32
// bits, floats, WAVE_FORMAT_EXTENSIBLE, more channels) goes to the platform source.
#include "engine/endian.h"
#include "engine/errcodes.h"
#include "runtime/os/qmos.h"
#include "sound/formats.h"

namespace qm {

namespace {

constexpr int64_t kFirstChunk = 12;
constexpr uint32_t kFormatSize = 16;
constexpr uint16_t kFormatPcm = 1;
const char* const kWanted[2] = {"data", "fmt "};

}  // namespace

int32_t wave_open(qmSoundSource* s) {
  qmFileHandle* fh = s->file;
  int64_t rate = 0;
  int32_t channels = 0, bits = 0;
  ChunkHeader c;
  qmos_seek(fh, kFirstChunk, QMOS_SEEK_BEGINNING);
  for (;;) {
    if (!chunk_next(fh, false, &c)) return ERR_UNKNOWNMUSFMT;
    if (chunk_is(c, "data")) break;
    if (chunk_is(c, "fmt ")) {
      uint8_t f[kFormatSize];
      if (c.size != kFormatSize || qmos_read(fh, f, kFormatSize) != kFormatSize)
        return ERR_UNKNOWNMUSFMT;
      channels = get_le16(f + 2);
      rate = get_le32(f + 4);
      bits = get_le16(f + 14);
      if (get_le16(f) != kFormatPcm || (channels != 1 && channels != 2) || rate > INT32_MAX ||
          (bits != 8 && bits != 16))
        return ERR_UNKNOWNMUSFMT;
    }
    chunk_skip(fh, c, kWanted);
  }
  if (rate == 0) return ERR_UNKNOWNMUSFMT;  // no "fmt " before the data, or a rate of 0

  s->channels = channels;
  s->bits = bits;
  s->flags = bits == 16 ? SAMPLE_SIGNED : 0;
  s->bytes_per_frame = channels * bits / 8;
  s->rate = int32_t(rate);
  // A data size beyond the file (a cut file, or a stream's 0xFFFFFFFF) counts only the bytes there.
  s->frames = chunk_bytes_there(fh, c) / s->bytes_per_frame;
  s->total_bytes = s->frames * s->bytes_per_frame;
  s->data_offset = c.data;
  return 0;
}

int32_t wave_read(qmSoundSource* s, uint8_t* buffer, int32_t frames) {
  qmos_seek(s->file, s->data_offset + s->position * s->bytes_per_frame, QMOS_SEEK_BEGINNING);
  return int32_t(qmos_read(s->file, buffer, int64_t(frames) * s->bytes_per_frame) /
                 s->bytes_per_frame);
}

}  // namespace qm
