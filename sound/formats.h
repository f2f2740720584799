// Inside the sound driver: the built-in readers and the chunk walk they share. Only the driver's
// own files and its tests include this.
#pragma once

#include <cstdint>
#include <memory>

#include "sound/driver.h"

namespace qm {

// One chunk header of an IFF (big-endian sizes) or RIFF (little-endian) file.
struct ChunkHeader {
  uint8_t id[4] = {};
  uint32_t size = 0;
  int64_t data = 0;  // file offset of its first data byte
};

// The chunk header at the file's position; false when the file ends first.
bool chunk_next(qmFileHandle* fh, bool big_endian, ChunkHeader* chunk);
// To the chunk after this one. An odd-sized chunk is followed by a pad byte; files that leave it
// out are read too: the walk goes on from the unpadded position when it holds one of the two
// ids the reader wants and the padded one does not, or when it holds a plausible chunk id (four
// printable bytes) and the padded one holds neither. (A little-endian size's low byte after
// "ata" is printable often enough that printable bytes alone cannot decide.)
void chunk_skip(qmFileHandle* fh, const ChunkHeader& chunk, const char* const wanted[2]);
bool chunk_is(const ChunkHeader& chunk, const char* id);
// The chunk's size cut to the bytes the file holds after its header.
int64_t chunk_bytes_there(const qmFileHandle* fh, const ChunkHeader& chunk);

// The codec kind that the first bytes of a file announce (SOURCE_IFF_8SVX, SOURCE_IFF_16SV,
// SOURCE_WAVE), or 0.
int32_t sound_magic_kind(const uint8_t* head, int64_t size);

// The built-in readers over source->file. Opening fills the source's description; 0, or
// ERR_UNKNOWNMUSFMT when the reader refuses the file. Reading delivers up to frames frames from
// source->position (already cut to the frames left) and returns how many it delivered.
int32_t iff_open(qmSoundSource* source, int32_t kind);
int32_t iff_read(qmSoundSource* source, uint8_t* buffer, int32_t frames);
int32_t wave_open(qmSoundSource* source);
int32_t wave_read(qmSoundSource* source, uint8_t* buffer, int32_t frames);

struct SourceCloser {
  void operator()(qmSoundSource* s) const { qmos_source_close(s); }
};
using SourcePtr = std::unique_ptr<qmSoundSource, SourceCloser>;

// A new source with nothing open, or null.
qmSoundSource* source_new();
// Detection without the plug-ins and the platform source: 0 with *out set, 1045, or
// ERR_UNKNOWNMUSFMT when no built-in reader takes the file.
int32_t sound_open_builtin(const char* name, int32_t for_music, qmSoundSource** out);

// Program-fed sources.
int32_t feed_read(qmSoundSource* source, uint8_t* buffer, int32_t frames, bool* end);

}  // namespace qm
