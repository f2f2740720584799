// Sound files in the platform's formats, decoded by FFmpeg: the sound driver's last resort for a
// file that neither a plug-in nor a built-in reader takes.
//
// The file comes in as two calls over the driver's own file handle, so a ":::chunk" file is read
// in place. Only these demuxers may open it, whatever else the installed FFmpeg knows (their
// names, as the driver reports them): wav "RIFF WAVE", aiff "AIFF" or "AIFC" (by form type), au
// "NeXT", mp3 "MPEG Audio", mov/mp4/m4a "MPEG Audio", ac3 "AC-3", aac (ADTS) "AAC ADTS", caf
// "Core Audio", flac "FLAC", ogg "Ogg". No demuxer may open another file or URL.
//
// Output: the first audio stream as interleaved frames at the file's own rate, signed 16-bit in
// the host's byte order, or 8-bit unsigned for 8-bit unsigned PCM; more than two channels are
// mixed down to stereo. Seeks are sample-exact: the frames read after a seek to n are those a
// read from the start delivers from n on.
//
// Threads: a source is used by one thread at a time (the streaming thread while its stream plays).
#pragma once

#include <cstdint>

namespace qm {

// The file's bytes.
struct qmAudioFileIO {
  void* opaque = nullptr;
  // Up to n bytes from the current offset: the count read, 0 at the end, -1 on an error.
  int64_t (*read)(void* opaque, uint8_t* buffer, int64_t n) = nullptr;
  // To an absolute offset: the new offset, or -1.
  int64_t (*seek)(void* opaque, int64_t offset) = nullptr;
  int64_t size = 0;
};

struct qmAudioFileInfo {
  int32_t rate = 0;
  int32_t bits = 0;      // 16, or 8
  int32_t channels = 0;  // 1 or 2
  uint32_t flags = 0;    // bit 1: signed (16-bit output)
  int64_t frames = 0;    // from the stream's duration: an estimate
  uint32_t bit_rate = 0; // kbit/s; 0 when FFmpeg knows none
};

struct qmAudioFile;

// 0 with *out and *info set, or 1235 (no allowed format opens it, or no audio stream, or no
// duration), 1294 (no decoder), 1000. io must stay valid until the close.
int32_t platform_audiofile_open(const qmAudioFileIO& io, qmAudioFile** out, qmAudioFileInfo* info);
// Up to frames frames into buffer: the frames delivered; *end once the stream has no more.
int32_t platform_audiofile_read(qmAudioFile* file, void* buffer, int32_t frames, bool* end);
// To a frame before the announced frame count; false (nothing moves) otherwise or when the file
// cannot be read again.
bool platform_audiofile_seek(qmAudioFile* file, int64_t frame);
void platform_audiofile_close(qmAudioFile* file);
const char* platform_audiofile_format_name(const qmAudioFile* file);

}  // namespace qm
