// IFF sound files: 8SVX (8-bit signed) and 16SV (16-bit signed big-endian), mono or stereo. A
// stereo BODY holds all left frames first, then all right frames; reads interleave them.
#include <algorithm>
#include <cstring>

#include "engine/endian.h"
#include "engine/errcodes.h"
#include "runtime/os/qmos.h"
#include "sound/formats.h"

namespace qm {

namespace {

constexpr int64_t kVoiceHeader = 12;  // the first chunk's header: "VHDR" and its size
constexpr int64_t kFirstChunk = 40;   // after the 20 bytes of the voice header
constexpr uint32_t kStereo = 6;       // CHAN value of a stereo sample
const char* const kWanted[2] = {"BODY", "CHAN"};

// 2 when the four bytes at the offset are one of the wanted ids, 1 when they are printable (a
// plausible chunk id), else 0.
int32_t id_at(qmFileHandle* fh, int64_t at, const char* const wanted[2]) {
  uint8_t id[4];
  qmos_seek(fh, at, QMOS_SEEK_BEGINNING);
  if (qmos_read(fh, id, 4) != 4) return 0;
  if (std::memcmp(id, wanted[0], 4) == 0 || std::memcmp(id, wanted[1], 4) == 0) return 2;
  return std::all_of(id, id + 4, [](uint8_t c) { return c >= 0x20 && c <= 0x7E; }) ? 1 : 0;
}

}  // namespace

bool chunk_next(qmFileHandle* fh, bool big_endian, ChunkHeader* chunk) {
  uint8_t head[8];
  const int64_t at = fh->pos;
  if (qmos_read(fh, head, 8) != 8) return false;
  std::memcpy(chunk->id, head, 4);
  chunk->size = big_endian ? get_be32(head + 4) : get_le32(head + 4);
  chunk->data = at + 8;
  return true;
}

void chunk_skip(qmFileHandle* fh, const ChunkHeader& chunk, const char* const wanted[2]) {
  int64_t next = chunk.data + chunk.size;
  if ((chunk.size & 1) && id_at(fh, next + 1, wanted) >= id_at(fh, next, wanted)) ++next;
  qmos_seek(fh, next, QMOS_SEEK_BEGINNING);
}

int64_t chunk_bytes_there(const qmFileHandle* fh, const ChunkHeader& chunk) {
  return std::clamp<int64_t>(fh->length - chunk.data, 0, chunk.size);
}

bool chunk_is(const ChunkHeader& chunk, const char* id) {
  return std::memcmp(chunk.id, id, 4) == 0;
}

int32_t sound_magic_kind(const uint8_t* head, int64_t size) {
  if (size < 12) return 0;
  if (std::memcmp(head, "FORM", 4) == 0) {
    if (std::memcmp(head + 8, "8SVX", 4) == 0) return SOURCE_IFF_8SVX;
    if (std::memcmp(head + 8, "16SV", 4) == 0) return SOURCE_IFF_16SV;
  } else if (std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WAVE", 4) == 0) {
    return SOURCE_WAVE;
  }
  return 0;
}

int32_t iff_open(qmSoundSource* s, int32_t kind) {
  qmFileHandle* fh = s->file;
  // The voice header: its size must be 20; the rate is a word at 12 of its data, the
  // compression a byte at 15 (only 0, none, is read).
  uint8_t vhdr[kFirstChunk - kVoiceHeader];
  qmos_seek(fh, kVoiceHeader, QMOS_SEEK_BEGINNING);
  if (qmos_read(fh, vhdr, sizeof vhdr) != int64_t(sizeof vhdr)) return ERR_UNKNOWNMUSFMT;
  if (get_be32(vhdr + 4) != 20) return ERR_UNKNOWNMUSFMT;
  const int32_t rate = get_be16(vhdr + 8 + 12);
  s->compression = vhdr[8 + 15];
  if (s->compression != 0 || rate == 0) return ERR_UNKNOWNMUSFMT;

  bool stereo = false;
  ChunkHeader c;
  qmos_seek(fh, kFirstChunk, QMOS_SEEK_BEGINNING);
  for (;;) {
    if (!chunk_next(fh, true, &c)) return ERR_UNKNOWNMUSFMT;
    if (chunk_is(c, "BODY")) break;
    if (chunk_is(c, "CHAN") && c.size >= 4) {
      uint8_t v[4];
      if (qmos_read(fh, v, 4) != 4) return ERR_UNKNOWNMUSFMT;
      stereo = get_be32(v) == kStereo;
    }
    chunk_skip(fh, c, kWanted);
  }

  const int32_t sample_bytes = kind == SOURCE_IFF_16SV ? 2 : 1;
  s->channels = stereo ? 2 : 1;
  s->bits = 8 * sample_bytes;
  s->flags = SAMPLE_SIGNED | (sample_bytes == 2 ? SAMPLE_BIG_ENDIAN : 0);
  s->bytes_per_frame = s->channels * sample_bytes;
  s->rate = rate;
  // A BODY size beyond the file (a cut file) counts only the bytes there.
  const int64_t body = chunk_bytes_there(fh, c);
  s->frames = body / s->bytes_per_frame;
  s->total_bytes = s->frames * s->bytes_per_frame;
  s->data_offset = c.data;
  return 0;
}

int32_t iff_read(qmSoundSource* s, uint8_t* buffer, int32_t frames) {
  qmFileHandle* fh = s->file;
  const int32_t sample_bytes = s->bits / 8;
  const int64_t n = int64_t(frames) * sample_bytes;
  if (s->channels == 1) {
    qmos_seek(fh, s->data_offset + s->position * sample_bytes, QMOS_SEEK_BEGINNING);
    return int32_t(qmos_read(fh, buffer, n) / sample_bytes);
  }
  if (s->scratch.size() < size_t(2 * n)) s->scratch.resize(size_t(2 * n));
  uint8_t* left = s->scratch.data();
  uint8_t* right = left + n;
  qmos_seek(fh, s->data_offset + s->position * sample_bytes, QMOS_SEEK_BEGINNING);
  const int64_t got_left = qmos_read(fh, left, n);
  qmos_seek(fh, s->data_offset + (s->frames + s->position) * sample_bytes, QMOS_SEEK_BEGINNING);
  const int64_t got_right = qmos_read(fh, right, n);
  const int32_t got = int32_t(std::min(got_left, got_right) / sample_bytes);
  if (sample_bytes == 1) {
    for (int32_t i = 0; i < got; ++i) {
      buffer[2 * i] = left[i];
      buffer[2 * i + 1] = right[i];
    }
  } else {
    for (int32_t i = 0; i < got; ++i) {
      std::memcpy(buffer + 4 * i, left + 2 * i, 2);
      std::memcpy(buffer + 4 * i + 2, right + 2 * i, 2);
    }
  }
  return got;
}

}  // namespace qm
